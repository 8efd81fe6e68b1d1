#pragma once

class QTableView;

/**
 * Column widths that follow the data without measuring every row: a view
 * is sized from a bounded sample, and later only the rows that change or
 * come into sight are measured, widening a column where a cell needs it.
 */
namespace ColumnWidths {

/**
 * Sizes each column to its header and to a sample of rows: the first
 * sampleRows, the last ones (where numbered lists have their widest
 * numbers) and the visible ones. Columns may narrow: for a new view.
 */
void fitToSample(QTableView *view, int sampleRows);
/** As fitToSample(), but a column only ever widens: while the user works. */
void widenToSample(QTableView *view, int sampleRows);
/** Widens the columns that a cell of rows first..last needs more room for; at most sampleRows of them are measured. */
void widenForRows(QTableView *view, int first, int last, int sampleRows);
/** Widens for the rows in sight. */
void widenForVisibleRows(QTableView *view);

} // namespace ColumnWidths

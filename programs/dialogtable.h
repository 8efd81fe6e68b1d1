#pragma once

class QTableWidget;
class QWidget;

/**
 * The list of the group and hot-key editors: at 20, 20, 270 x 263, whole-row
 * single selection, no editing, header sections not clickable, no row
 * numbers; column widths measured on a bounded sample of rows.
 */
QTableWidget *makeDialogTable(QWidget *parent, int columns);

#include "columnwidths.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QStyle>
#include <QTableView>

#include <algorithm>
#include <vector>

namespace {

// Of a sample, the share taken from the end of the list.
constexpr int LastRowsShare = 4;

// Adds the rows first..last to rows, at most limit of them: the first and
// the last ones of the range when it is longer.
void addRange(std::vector<int> &rows, int first, int last, int limit)
{
    if (last < first || limit <= 0)
        return;
    if (last - first + 1 <= limit) {
        for (int row = first; row <= last; ++row)
            rows.push_back(row);
        return;
    }
    const int tail = std::max(1, limit / LastRowsShare);
    addRange(rows, first, first + limit - tail - 1, limit - tail);
    addRange(rows, last - tail + 1, last, tail);
}

void addVisibleRows(const QTableView *view, std::vector<int> &rows)
{
    const QHeaderView *header = view->verticalHeader();
    const int top = header->visualIndexAt(0);
    if (top < 0)
        return;
    int bottom = header->visualIndexAt(view->viewport()->height() - 1);
    if (bottom < 0)
        bottom = view->model()->rowCount() - 1;
    for (int visual = top; visual <= bottom; ++visual)
        rows.push_back(header->logicalIndex(visual));
}

// The width each column's cells in rows need, as the view would size them.
std::vector<int> neededWidths(const QTableView *view, std::vector<int> rows)
{
    const QAbstractItemModel *model = view->model();
    const int columns = model ? model->columnCount() : 0;
    std::vector<int> widths(size_t(std::max(0, columns)), 0);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    const int grid = view->showGrid() ? 1 : 0;
    const int rowCount = model ? model->rowCount() : 0;
    for (int column = 0; column < columns; ++column) {
        if (view->isColumnHidden(column))
            continue;
        int width = 0;
        for (const int row : rows) {
            if (row >= 0 && row < rowCount)
                width = std::max(width, view->sizeHintForIndex(model->index(row, column)).width() + grid);
        }
        widths[size_t(column)] = width;
    }
    return widths;
}

// The header's own width: a clickable header's hint keeps room for the sort
// arrow in every column, which only the sorted column needs.
int headerWidth(const QHeaderView *header, int column)
{
    const int hint = header->sectionSizeHint(column);
    if (!header->isSortIndicatorShown() || header->sortIndicatorSection() == column)
        return hint;
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    return std::max(0, hint - header->sizeHint().height() - margin);
}

void apply(QTableView *view, const std::vector<int> &widths, bool mayNarrow, bool withHeader)
{
    QHeaderView *header = view->horizontalHeader();
    for (int column = 0; column < int(widths.size()); ++column) {
        if (view->isColumnHidden(column))
            continue;
        int width = widths[size_t(column)];
        if (withHeader)
            width = std::max(width, headerWidth(header, column));
        if (mayNarrow ? width != header->sectionSize(column) : width > header->sectionSize(column))
            header->resizeSection(column, width);
    }
}

std::vector<int> sample(const QTableView *view, int sampleRows)
{
    std::vector<int> rows;
    const int count = view->model() ? view->model()->rowCount() : 0;
    addRange(rows, 0, count - 1, sampleRows);
    addVisibleRows(view, rows);
    return rows;
}

} // namespace

namespace ColumnWidths {

void fitToSample(QTableView *view, int sampleRows)
{
    apply(view, neededWidths(view, sample(view, sampleRows)), true, true);
}

void widenToSample(QTableView *view, int sampleRows)
{
    apply(view, neededWidths(view, sample(view, sampleRows)), false, true);
}

void widenForRows(QTableView *view, int first, int last, int sampleRows)
{
    std::vector<int> rows;
    addRange(rows, first, last, sampleRows);
    apply(view, neededWidths(view, rows), false, false);
}

void widenForVisibleRows(QTableView *view)
{
    std::vector<int> rows;
    addVisibleRows(view, rows);
    apply(view, neededWidths(view, rows), false, false);
}

} // namespace ColumnWidths

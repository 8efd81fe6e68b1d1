#pragma once

#include <QItemSelectionModel>
#include <QTableView>

/**
 * The programme table's view, with the row and cell vocabulary its callers
 * speak: counts, the current row, and a current cell set as a click would.
 */
class ProgrammeTableView : public QTableView
{
    Q_OBJECT

public:
    explicit ProgrammeTableView(QWidget *parent = nullptr)
        : QTableView(parent) {}

    int rowCount() const { return model() ? model()->rowCount() : 0; }
    int columnCount() const { return model() ? model()->columnCount() : 0; }
    int currentRow() const { return currentIndex().row(); }
    /** Makes the cell current and selects as a click would; (-1, -1) leaves no current cell. */
    void setCurrentCell(int row, int column)
    {
        setCurrentIndex(model() ? model()->index(row, column) : QModelIndex());
    }
    void setCurrentCell(int row, int column, QItemSelectionModel::SelectionFlags command)
    {
        if (selectionModel())
            selectionModel()->setCurrentIndex(model()->index(row, column), command);
    }
};

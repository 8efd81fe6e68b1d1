#pragma once

#include <QDialog>
#include <QVector>

class QTableWidget;

namespace DB_NS {
class Node;
}

/**
 * Picks the other satellite or TP for Switch To and Move To from a list of
 * candidates (not owned), one row each in their order, under one line that
 * says what the pick is for. OK stays disabled until a row is selected; after
 * an accepted run selectedNode() is the candidate of the selected row.
 */
class QSelectTargetNodeDialog : public QDialog
{
    Q_OBJECT

public:
    QSelectTargetNodeDialog(QWidget *parent, const QVector<const DB_NS::Node *> &candidates,
                            const QString &instruction);

    const DB_NS::Node *selectedNode() const { return m_selectedNode; }
    QTableWidget *table() const { return m_table; }

public slots:
    void clickedOK();
    void clickedCancel();

private:
    const DB_NS::Node *pickedNode() const;

    QTableWidget *m_table = nullptr;
    const DB_NS::Node *m_selectedNode = nullptr;
};

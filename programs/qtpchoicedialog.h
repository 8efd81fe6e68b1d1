#pragma once

#include <QDialog>

class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace DB_NS {
class TPNode;
}

/**
 * Lists the TPs of the source TP's satellite for Copy and Cut Channel To.
 * OK stays disabled while the source TP is current, so the choice is always
 * another TP of the same satellite.
 */
class QTPChoiceDialog : public QDialog
{
    Q_OBJECT

public:
    QTPChoiceDialog(QWidget *parent, const DB_NS::TPNode *sourceTp);

    /** The chosen TP once accepted; null before. */
    const DB_NS::TPNode *chosenTp() const { return m_chosenTp; }
    QTableWidget *table() const { return m_table; }
    QPushButton *okButton() const { return m_ok; }

public slots:
    void currentItemChanged(QTableWidgetItem *current, QTableWidgetItem *previous);
    void clickedOK();
    void clickedCancel();

private:
    const DB_NS::TPNode *tpOf(const QTableWidgetItem *item) const;

    QTableWidget *m_table = nullptr;
    QPushButton *m_ok = nullptr;
    const DB_NS::TPNode *m_sourceTp = nullptr;
    const DB_NS::TPNode *m_chosenTp = nullptr;
};

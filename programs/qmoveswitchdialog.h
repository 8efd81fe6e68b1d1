#pragma once

#include <QDialog>

class QSpinBox;

/** Asks for the 1-based position that Move Channel or Switch Channel goes to. */
class QMoveSwitchDialog : public QDialog
{
    Q_OBJECT

public:
    /** maximum: the highest position offered (the number of rows). */
    QMoveSwitchDialog(QWidget *parent, int maximum);

    /** The entered position once accepted; 0 before. */
    qint32 value() const { return m_value; }
    QSpinBox *spinBox() const { return m_spinBox; }

public slots:
    void clickedOK();
    void clickedCancel();

private:
    QSpinBox *m_spinBox = nullptr;
    qint32 m_value = 0;
};

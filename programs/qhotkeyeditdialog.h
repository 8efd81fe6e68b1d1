#pragma once

#include "documentdata.h"

#include <QDialog>

class QComboBox;

/** Asks which hot key the current programme goes to. */
class QHotKeyEditDialog : public QDialog
{
    Q_OBJECT

public:
    QHotKeyEditDialog(QWidget *parent, const QVector<HotKey> &hotKeys);

    /** The chosen key's index; -1 until OK, and when there is no key. */
    int chosenIndex() const { return m_chosen; }
    QComboBox *comboBox() const { return m_combo; }

public slots:
    void clickedOK();
    void clickedCancel();

private:
    QComboBox *m_combo = nullptr;
    int m_chosen = -1;
};

#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;

/** Sort…: up to three keys, TV before radio, and whether only the selected rows are sorted. */
class SortDialog : public QDialog
{
    Q_OBJECT

public:
    /** keys: what can be sorted by; selectedRows: how many rows are selected (0: the option is off). */
    SortDialog(QWidget *parent, const QStringList &keys, int selectedRows);

    /** The chosen keys in order, once accepted. */
    QStringList keys() const;
    bool tvFirst() const;
    bool selectedOnly() const;

private:
    QComboBox *m_keys[3] = {};
    QCheckBox *m_tvFirst = nullptr;
    QCheckBox *m_selectedOnly = nullptr;
};

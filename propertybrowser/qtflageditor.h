#pragma once
// In-place editor for a flag property: one check box per flag name, in a row.
// Its user property is the bit mask (bit i = check box i), so a browser reads
// it like any other editor.

#include <QList>
#include <QStringList>
#include <QWidget>

class QCheckBox;

class QtFlagEditor : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int value READ value WRITE setValue NOTIFY valueChanged USER true)

public:
    explicit QtFlagEditor(QWidget *parent = nullptr);

    // Check boxes are named "flag0", "flag1", ... for tests and style sheets.
    void setFlagNames(const QStringList &names);
    QStringList flagNames() const { return m_names; }

    int value() const;
    void setValue(int value);

    QList<QCheckBox *> checkBoxes() const { return m_boxes; }

signals:
    void valueChanged(int value);

private:
    QStringList m_names;
    QList<QCheckBox *> m_boxes;
};

#pragma once

#include <QComboBox>
#include <QStringList>

/**
 * In-place editor for the favourite mask of a programme: a drop-down list
 * with one check box per favourite group, so any number of groups fits in
 * one value cell. Clicking a group toggles it and leaves the list open;
 * the release of the click that opened the list toggles nothing.
 *
 * Its user property is the mask (bit i = group i), which is what the
 * property browser reads back when the edit is committed.
 */
class FavouriteMaskEditor : public QComboBox
{
    Q_OBJECT
    Q_PROPERTY(int mask READ mask WRITE setMask USER true)

public:
    explicit FavouriteMaskEditor(QWidget *parent = nullptr);

    /**
     * The names as the list shows them: an unnamed group is called by its
     * number, counted from 1 ("Group 11" is bit 10). The stored names stay.
     */
    static QStringList shownNames(const QStringList &names);

    /** At most 32 names are used: a mask has no more bits. */
    void setGroupNames(const QStringList &names);
    QStringList groupNames() const { return m_names; }

    int mask() const;
    void setMask(int mask);

    bool isChecked(int group) const;
    void toggle(int group);

    /** The checked group names joined by ", ", as the cell shows them. */
    QString summary() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QStringList m_names;
    bool m_pressedInList = false;
};

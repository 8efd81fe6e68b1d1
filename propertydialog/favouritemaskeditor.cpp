#include "favouritemaskeditor.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStylePainter>

namespace {
constexpr int maxGroups = 32;
}

FavouriteMaskEditor::FavouriteMaskEditor(QWidget *parent)
    : QComboBox(parent)
{
    // Installed after the combo box's own filters, so a click toggles a
    // group before the list could take it as a choice and close.
    view()->viewport()->installEventFilter(this);
    view()->installEventFilter(this);
}

QStringList FavouriteMaskEditor::shownNames(const QStringList &names)
{
    QStringList shown = names;
    for (int i = 0; i < shown.size(); ++i) {
        if (shown.at(i).isEmpty())
            shown[i] = tr("Group %1").arg(i + 1);
    }
    return shown;
}

void FavouriteMaskEditor::setGroupNames(const QStringList &names)
{
    const int old = mask();
    m_names = names.mid(0, maxGroups);
    clear();
    for (int i = 0; i < m_names.size(); ++i) {
        addItem(m_names.at(i));
        setItemData(i, Qt::Unchecked, Qt::CheckStateRole);
    }
    setMask(old);
}

int FavouriteMaskEditor::mask() const
{
    quint32 bits = 0;
    for (int i = 0; i < m_names.size(); ++i) {
        if (isChecked(i))
            bits |= 1u << i;
    }
    return int(bits);
}

void FavouriteMaskEditor::setMask(int mask)
{
    for (int i = 0; i < m_names.size(); ++i)
        setItemData(i, (quint32(mask) & (1u << i)) ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
    update();
}

bool FavouriteMaskEditor::isChecked(int group) const
{
    return group >= 0 && group < m_names.size()
        && itemData(group, Qt::CheckStateRole).toInt() == Qt::Checked;
}

void FavouriteMaskEditor::toggle(int group)
{
    if (group < 0 || group >= m_names.size())
        return;
    setItemData(group, isChecked(group) ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    update();
}

QString FavouriteMaskEditor::summary() const
{
    QStringList checked;
    for (int i = 0; i < m_names.size(); ++i) {
        if (isChecked(i))
            checked.append(m_names.at(i));
    }
    return checked.join(QStringLiteral(", "));
}

bool FavouriteMaskEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == view() && event->type() == QEvent::Show)
        m_pressedInList = false;
    if (watched == view()->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            m_pressedInList = true;
            break;
        case QEvent::MouseButtonRelease: {
            // The release of the press that opened the list lands on it too:
            // only a click made inside the open list toggles.
            const QModelIndex index = view()->indexAt(static_cast<QMouseEvent *>(event)->pos());
            if (m_pressedInList && index.isValid())
                toggle(index.row());
            m_pressedInList = false;
            return true;
        }
        default:
            break;
        }
    }
    if (watched == view() && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Space) {
        toggle(view()->currentIndex().row());
        return true;
    }
    return QComboBox::eventFilter(watched, event);
}

void FavouriteMaskEditor::paintEvent(QPaintEvent *)
{
    // The combo box would show its current item; the cell shows the groups.
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText = summary();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

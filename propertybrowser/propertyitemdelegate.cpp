#include "propertyitemdelegate.h"

#include "qttreepropertybrowser.h"

PropertyItemDelegate::PropertyItemDelegate(QtTreePropertyBrowser *browser, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_browser(browser)
{
}

QWidget *PropertyItemDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                            const QModelIndex &index) const
{
    return m_browser->createEditor(index, parent);
}

void PropertyItemDelegate::setEditorData(QWidget *, const QModelIndex &) const
{
}

void PropertyItemDelegate::setModelData(QWidget *editor, QAbstractItemModel *,
                                        const QModelIndex &index) const
{
    m_browser->commitEditor(editor, index);
}

QSize PropertyItemDelegate::sizeHint(const QStyleOptionViewItem &option,
                                     const QModelIndex &index) const
{
    // Room for spin box and combo box frames.
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.rheight() += 4;
    return size;
}

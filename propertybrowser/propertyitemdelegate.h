#pragma once
// The browser's delegate: it asks the browser for editors and hands commits
// back to it, and never copies the shown text into an editor (each editor
// starts from the manager's value).

#include <QStyledItemDelegate>

class QtTreePropertyBrowser;

class PropertyItemDelegate : public QStyledItemDelegate
{
public:
    PropertyItemDelegate(QtTreePropertyBrowser *browser, QObject *parent);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    QtTreePropertyBrowser *m_browser;
};

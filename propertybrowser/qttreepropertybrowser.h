#pragma once
// Shows properties as a two-column tree (name, value) and edits values in
// place with the editors of the factory set for each property's manager.
// A click on a row, F2, or editItem() opens the editor on the value cell;
// it behaves like a table delegate: Enter or focus leaving it commits,
// Escape cancels, Tab commits and moves on to the next row. How and when an
// edited value reaches the manager is told in qtvarianteditorfactory.h.
//
// The tree is a QTreeWidget named "propertyTree"; each item keeps its
// property for itemProperty(). Sub-properties appear as child items and
// follow later insertions and removals; a property may be shown more than
// once, so items() returns a list.

#include <QHash>
#include <QList>
#include <QPointer>
#include <QSet>
#include <QWidget>

class QModelIndex;
class QTreeWidget;
class QTreeWidgetItem;
class QtProperty;
class QtVariantEditorFactory;
class QtVariantPropertyManager;
class PropertyItemDelegate;
class PropertyTreeWidget;

class QtTreePropertyBrowser : public QWidget
{
    Q_OBJECT

public:
    enum ResizeMode { Interactive,
                      Stretch,
                      Fixed,
                      ResizeToContents };
    Q_ENUM(ResizeMode)

    explicit QtTreePropertyBrowser(QWidget *parent = nullptr);
    ~QtTreePropertyBrowser() override;

    // Properties of a manager without a factory are shown but not editable.
    void setFactoryForManager(QtVariantPropertyManager *manager, QtVariantEditorFactory *factory);
    void unsetFactoryForManager(QtVariantPropertyManager *manager);

    // Appends a top-level row; nullptr when the property is null or already
    // shown at the top level.
    QTreeWidgetItem *addProperty(QtProperty *property);
    void removeProperty(QtProperty *property);
    void clear();

    QList<QtProperty *> properties() const { return m_topLevel; }
    QList<QTreeWidgetItem *> topLevelItems() const;
    QList<QTreeWidgetItem *> items(QtProperty *property) const;
    QtProperty *itemProperty(const QTreeWidgetItem *item) const;
    QTreeWidget *treeWidget() const;

    QtProperty *currentProperty() const;
    void setCurrentProperty(QtProperty *property);

    // Opens the in-place editor on the property's first row (committing an
    // editor open elsewhere). False when the property is not shown, is
    // disabled, has no value, or its factory gives no editor.
    bool editItem(QtProperty *property);
    // The editor open right now, if any.
    QWidget *currentEditor() const;

    bool rootIsDecorated() const;
    void setRootIsDecorated(bool show);
    bool propertiesWithoutValueMarked() const { return m_markWithoutValue; }
    void setPropertiesWithoutValueMarked(bool mark);
    bool isHeaderVisible() const;
    void setHeaderVisible(bool visible);
    ResizeMode resizeMode() const { return m_resizeMode; }
    void setResizeMode(ResizeMode mode);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class PropertyItemDelegate;
    QWidget *createEditor(const QModelIndex &index, QWidget *parent);
    void commitEditor(QWidget *editor, const QModelIndex &index);
    void editorClosed(QWidget *editor);
    QtProperty *propertyAt(const QModelIndex &index) const;
    QtVariantEditorFactory *factoryFor(QtProperty *property) const;

    void watchManager(QtVariantPropertyManager *manager);
    QTreeWidgetItem *createItem(QtProperty *property, QTreeWidgetItem *parent, int row);
    void deleteItem(QTreeWidgetItem *item);
    void forgetItem(QTreeWidgetItem *item);
    void updateItem(QTreeWidgetItem *item);
    void updateAllItems();
    bool openEditor(QTreeWidgetItem *item);

    void onPropertyChanged(QtProperty *property);
    void onPropertyInserted(QtProperty *property, QtProperty *parent, QtProperty *after);
    void onPropertyRemoved(QtProperty *property, QtProperty *parent);
    void onPropertyDestroyed(QtProperty *property);

    PropertyTreeWidget *m_tree;
    PropertyItemDelegate *m_delegate;
    QHash<QtVariantPropertyManager *, QPointer<QtVariantEditorFactory>> m_factories;
    QSet<QtVariantPropertyManager *> m_watched;
    QHash<QTreeWidgetItem *, QtProperty *> m_itemProperty;
    QHash<QtProperty *, QList<QTreeWidgetItem *>> m_propertyItems;
    QList<QtProperty *> m_topLevel;
    QPointer<QWidget> m_editor;
    QtProperty *m_editedProperty = nullptr;
    bool m_markWithoutValue = false;
    ResizeMode m_resizeMode = Stretch;
};

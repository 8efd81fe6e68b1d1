#include "qttreepropertybrowser.h"

#include "propertyitemdelegate.h"
#include "qtproperty.h"
#include "qtvarianteditorfactory.h"
#include "qtvariantpropertymanager.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int nameColumn = 0;
constexpr int valueColumn = 1;
} // namespace

// Gives the browser the index-to-item look-up that QTreeWidget keeps protected.
class PropertyTreeWidget : public QTreeWidget
{
public:
    using QTreeWidget::QTreeWidget;
    using QTreeWidget::itemFromIndex;
};

QtTreePropertyBrowser::QtTreePropertyBrowser(QWidget *parent)
    : QWidget(parent)
    , m_tree(new PropertyTreeWidget(this))
{
    m_delegate = new PropertyItemDelegate(this, m_tree);
    m_tree->setObjectName(QStringLiteral("propertyTree"));
    m_tree->setColumnCount(2);
    m_tree->setHeaderLabels({tr("Property"), tr("Value")});
    m_tree->setItemDelegate(m_delegate);
    // Editors open on a click or F2 through the browser, always on the value
    // column, so the view's own triggers stay off.
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setAllColumnsShowFocus(true);
    m_tree->setUniformRowHeights(true);
    m_tree->header()->setSectionsMovable(false);
    m_tree->installEventFilter(this);
    setResizeMode(m_resizeMode);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tree);

    connect(m_tree, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { openEditor(item); });
    connect(m_delegate, &QAbstractItemDelegate::closeEditor, this,
            [this](QWidget *editor) { editorClosed(editor); });
}

QtTreePropertyBrowser::~QtTreePropertyBrowser()
{
    for (QtVariantPropertyManager *manager : qAsConst(m_watched))
        disconnect(manager, nullptr, this, nullptr);
    disconnect(m_delegate, nullptr, this, nullptr);
    // The tree goes first, while the look-up tables it may still consult live.
    delete m_tree;
    m_tree = nullptr;
}

void QtTreePropertyBrowser::setFactoryForManager(QtVariantPropertyManager *manager,
                                                 QtVariantEditorFactory *factory)
{
    if (!manager)
        return;
    if (!factory) {
        unsetFactoryForManager(manager);
        return;
    }
    watchManager(manager);
    m_factories.insert(manager, factory);
    updateAllItems();
}

void QtTreePropertyBrowser::unsetFactoryForManager(QtVariantPropertyManager *manager)
{
    if (m_factories.remove(manager) == 0)
        return;
    if (m_editor && m_editedProperty && m_editedProperty->propertyManager() == manager)
        emit m_delegate->closeEditor(m_editor, QAbstractItemDelegate::RevertModelCache);
    updateAllItems();
}

QTreeWidgetItem *QtTreePropertyBrowser::addProperty(QtProperty *property)
{
    if (!property || m_topLevel.contains(property))
        return nullptr;
    watchManager(property->propertyManager());
    m_topLevel.append(property);
    return createItem(property, nullptr, m_tree->topLevelItemCount());
}

void QtTreePropertyBrowser::removeProperty(QtProperty *property)
{
    if (!m_topLevel.removeOne(property))
        return;
    const QList<QTreeWidgetItem *> shown = m_propertyItems.value(property);
    for (QTreeWidgetItem *item : shown) {
        if (!item->parent())
            deleteItem(item);
    }
}

void QtTreePropertyBrowser::clear()
{
    const QList<QtProperty *> shown = m_topLevel;
    for (QtProperty *property : shown)
        removeProperty(property);
}

QList<QTreeWidgetItem *> QtTreePropertyBrowser::topLevelItems() const
{
    QList<QTreeWidgetItem *> result;
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
        result.append(m_tree->topLevelItem(i));
    return result;
}

QList<QTreeWidgetItem *> QtTreePropertyBrowser::items(QtProperty *property) const
{
    return m_propertyItems.value(property);
}

QtProperty *QtTreePropertyBrowser::itemProperty(const QTreeWidgetItem *item) const
{
    return m_itemProperty.value(const_cast<QTreeWidgetItem *>(item));
}

QTreeWidget *QtTreePropertyBrowser::treeWidget() const
{
    return m_tree;
}

QtProperty *QtTreePropertyBrowser::currentProperty() const
{
    return m_itemProperty.value(m_tree->currentItem());
}

void QtTreePropertyBrowser::setCurrentProperty(QtProperty *property)
{
    const QList<QTreeWidgetItem *> shown = m_propertyItems.value(property);
    m_tree->setCurrentItem(shown.isEmpty() ? nullptr : shown.constFirst(), valueColumn);
}

bool QtTreePropertyBrowser::editItem(QtProperty *property)
{
    const QList<QTreeWidgetItem *> shown = m_propertyItems.value(property);
    return !shown.isEmpty() && openEditor(shown.constFirst());
}

QWidget *QtTreePropertyBrowser::currentEditor() const
{
    return m_editor;
}

bool QtTreePropertyBrowser::rootIsDecorated() const
{
    return m_tree->rootIsDecorated();
}

void QtTreePropertyBrowser::setRootIsDecorated(bool show)
{
    m_tree->setRootIsDecorated(show);
}

void QtTreePropertyBrowser::setPropertiesWithoutValueMarked(bool mark)
{
    if (mark == m_markWithoutValue)
        return;
    m_markWithoutValue = mark;
    updateAllItems();
}

bool QtTreePropertyBrowser::isHeaderVisible() const
{
    return !m_tree->isHeaderHidden();
}

void QtTreePropertyBrowser::setHeaderVisible(bool visible)
{
    m_tree->setHeaderHidden(!visible);
}

void QtTreePropertyBrowser::setResizeMode(ResizeMode mode)
{
    m_resizeMode = mode;
    QHeaderView::ResizeMode headerMode = QHeaderView::Stretch;
    switch (mode) {
    case Interactive: headerMode = QHeaderView::Interactive; break;
    case Stretch: headerMode = QHeaderView::Stretch; break;
    case Fixed: headerMode = QHeaderView::Fixed; break;
    case ResizeToContents: headerMode = QHeaderView::ResizeToContents; break;
    }
    m_tree->header()->setSectionResizeMode(headerMode);
}

bool QtTreePropertyBrowser::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_tree && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F2 && m_tree->currentItem()) {
        openEditor(m_tree->currentItem());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

QWidget *QtTreePropertyBrowser::createEditor(const QModelIndex &index, QWidget *parent)
{
    if (index.column() != valueColumn)
        return nullptr;
    QtProperty *property = propertyAt(index);
    QtVariantEditorFactory *factory = factoryFor(property);
    if (!factory)
        return nullptr;
    QWidget *editor = factory->createEditorFor(property->propertyManager(), property, parent);
    if (editor) {
        editor->setAutoFillBackground(true);
        m_editor = editor;
        m_editedProperty = property;
    }
    return editor;
}

void QtTreePropertyBrowser::commitEditor(QWidget *editor, const QModelIndex &index)
{
    QtProperty *property = propertyAt(index);
    QtVariantEditorFactory *factory = factoryFor(property);
    if (!factory)
        return;
    QtVariantPropertyManager *manager = property->propertyManager();
    manager->setValue(property, factory->editorValue(manager, property, editor));
}

void QtTreePropertyBrowser::editorClosed(QWidget *editor)
{
    if (editor == m_editor) {
        m_editor = nullptr;
        m_editedProperty = nullptr;
    }
}

QtProperty *QtTreePropertyBrowser::propertyAt(const QModelIndex &index) const
{
    return m_itemProperty.value(m_tree->itemFromIndex(index));
}

QtVariantEditorFactory *QtTreePropertyBrowser::factoryFor(QtProperty *property) const
{
    return property ? m_factories.value(property->propertyManager()).data() : nullptr;
}

void QtTreePropertyBrowser::watchManager(QtVariantPropertyManager *manager)
{
    if (m_watched.contains(manager))
        return;
    m_watched.insert(manager);
    connect(manager, &QtVariantPropertyManager::propertyChanged, this,
            &QtTreePropertyBrowser::onPropertyChanged);
    connect(manager, &QtVariantPropertyManager::propertyInserted, this,
            &QtTreePropertyBrowser::onPropertyInserted);
    connect(manager, &QtVariantPropertyManager::propertyRemoved, this,
            &QtTreePropertyBrowser::onPropertyRemoved);
    connect(manager, &QtVariantPropertyManager::propertyDestroyed, this,
            &QtTreePropertyBrowser::onPropertyDestroyed);
    connect(manager, &QObject::destroyed, this, [this, manager] {
        m_watched.remove(manager);
        m_factories.remove(manager);
    });
}

QTreeWidgetItem *QtTreePropertyBrowser::createItem(QtProperty *property, QTreeWidgetItem *parent,
                                                   int row)
{
    auto *item = new QTreeWidgetItem;
    m_itemProperty.insert(item, property);
    m_propertyItems[property].append(item);
    if (parent)
        parent->insertChild(row, item);
    else
        m_tree->insertTopLevelItem(row, item);
    updateItem(item);
    const QList<QtProperty *> children = property->subProperties();
    for (int i = 0; i < children.size(); ++i)
        createItem(children.at(i), item, i);
    item->setExpanded(true);
    return item;
}

void QtTreePropertyBrowser::deleteItem(QTreeWidgetItem *item)
{
    forgetItem(item);
    delete item;
}

void QtTreePropertyBrowser::forgetItem(QTreeWidgetItem *item)
{
    for (int i = 0; i < item->childCount(); ++i)
        forgetItem(item->child(i));
    QtProperty *property = m_itemProperty.take(item);
    auto shown = m_propertyItems.find(property);
    if (shown == m_propertyItems.end())
        return;
    shown->removeOne(item);
    if (shown->isEmpty())
        m_propertyItems.erase(shown);
}

void QtTreePropertyBrowser::updateAllItems()
{
    for (auto it = m_itemProperty.cbegin(); it != m_itemProperty.cend(); ++it)
        updateItem(it.key());
}

void QtTreePropertyBrowser::updateItem(QTreeWidgetItem *item)
{
    QtProperty *property = m_itemProperty.value(item);
    if (!property)
        return;
    const bool hasValue = property->hasValue();
    Qt::ItemFlags flags = Qt::ItemIsSelectable;
    if (property->isEnabled()) {
        flags |= Qt::ItemIsEnabled;
        if (hasValue && factoryFor(property))
            flags |= Qt::ItemIsEditable;
    }
    item->setFlags(flags);
    item->setText(nameColumn, property->propertyName());
    const QString text = property->valueText();
    item->setText(valueColumn, text);
    item->setToolTip(valueColumn, text);
    QFont font = item->font(nameColumn);
    font.setBold(property->isModified());
    item->setFont(nameColumn, font);
    const QBrush background = m_markWithoutValue && !hasValue
        ? palette().brush(QPalette::Midlight)
        : QBrush();
    item->setBackground(nameColumn, background);
    item->setBackground(valueColumn, background);
}

bool QtTreePropertyBrowser::openEditor(QTreeWidgetItem *item)
{
    QtProperty *property = m_itemProperty.value(item);
    if (!property || !property->isEnabled() || !property->hasValue() || !factoryFor(property))
        return false;
    if (m_editor) {
        if (m_editedProperty == property && m_tree->currentItem() == item) {
            m_editor->setFocus();
            return true;
        }
        // What leaving an editor for another row would do.
        QWidget *open = m_editor;
        emit m_delegate->commitData(open);
        emit m_delegate->closeEditor(open, QAbstractItemDelegate::NoHint);
    }
    m_tree->setCurrentItem(item, valueColumn);
    m_tree->editItem(item, valueColumn);
    return m_editor && m_editedProperty == property;
}

void QtTreePropertyBrowser::onPropertyChanged(QtProperty *property)
{
    const QList<QTreeWidgetItem *> shown = m_propertyItems.value(property);
    for (QTreeWidgetItem *item : shown)
        updateItem(item);
    if (m_editor && m_editedProperty == property && !property->isEnabled())
        emit m_delegate->closeEditor(m_editor, QAbstractItemDelegate::RevertModelCache);
}

void QtTreePropertyBrowser::onPropertyInserted(QtProperty *property, QtProperty *parent,
                                               QtProperty *)
{
    const int row = parent->subProperties().indexOf(property);
    const QList<QTreeWidgetItem *> parents = m_propertyItems.value(parent);
    for (QTreeWidgetItem *parentItem : parents)
        createItem(property, parentItem, row);
}

void QtTreePropertyBrowser::onPropertyRemoved(QtProperty *property, QtProperty *parent)
{
    const QList<QTreeWidgetItem *> parents = m_propertyItems.value(parent);
    for (QTreeWidgetItem *parentItem : parents) {
        for (int i = 0; i < parentItem->childCount(); ++i) {
            if (m_itemProperty.value(parentItem->child(i)) == property) {
                deleteItem(parentItem->child(i));
                break;
            }
        }
    }
}

void QtTreePropertyBrowser::onPropertyDestroyed(QtProperty *property)
{
    m_topLevel.removeOne(property);
    const QList<QTreeWidgetItem *> shown = m_propertyItems.value(property);
    for (QTreeWidgetItem *item : shown)
        deleteItem(item);
}

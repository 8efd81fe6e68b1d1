#include "qpropertydialog.h"

#include "favouritemaskeditor.h"
#include "fieldchecks.h"
#include "fieldtrigger.h"
#include "myvarianteditorfactory.h"
#include "qttreepropertybrowser.h"
#include "qtvariantproperty.h"
#include "qtvariantpropertymanager.h"

#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Bits of a flag value that have a name; the manager drops the others.
quint32 namedFlagBits(int nameCount)
{
    return nameCount >= 32 ? 0xFFFFFFFFu : (1u << nameCount) - 1u;
}

} // namespace

QPropertyDialog::QPropertyDialog(QWidget *parent, const TemplateVector *templates, DB_NS::Node *node)
    : QDialog(parent)
    , m_node(node)
    , m_templates(templates)
{
    setWindowFlags((windowFlags() & ~Qt::WindowContextHelpButtonHint) | Qt::WindowCloseButtonHint);

    m_manager = new QtVariantPropertyManager(this);
    m_factory = new MyVariantEditorFactory(this);
    m_browser = new QtTreePropertyBrowser(this);
    m_browser->setObjectName(QStringLiteral("propertyBrowser"));
    m_browser->setFactoryForManager(m_manager, m_factory);
    m_browser->setPropertiesWithoutValueMarked(true);
    m_browser->setRootIsDecorated(false);

    m_okButton = new QPushButton(tr("OK"), this);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_cancelButton = new QPushButton(tr("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    // Enter finishes an in-place edit; it must not also close the dialog
    // before that edit is written.
    for (QPushButton *button : {m_okButton, m_cancelButton}) {
        button->setMaximumWidth(80);
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    auto *layout = new QVBoxLayout(this);
    // The size is set from the number of fields, also below the layout's wish.
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->addWidget(m_browser);
    layout->addLayout(buttons);

    connect(m_okButton, &QPushButton::clicked, this, &QPropertyDialog::clickedOK);
    connect(m_cancelButton, &QPushButton::clicked, this, &QPropertyDialog::clickedCancel);
    connect(m_factory, &MyVariantEditorFactory::valueHasChanged, this, &QPropertyDialog::valueHasChanged);
    // Edits that report after the dialog closed (Escape, the close button)
    // must neither run checks nor show messages.
    connect(this, &QDialog::finished, this, [this] { m_ready = false; });
}

QPropertyDialog::QPropertyDialog(QWidget *parent, const TemplateVector *templates, DB_NS::SatNode *node)
    : QPropertyDialog(parent, templates, static_cast<DB_NS::Node *>(node))
{
    m_satNode = node;
    buildProperties();
}

QPropertyDialog::QPropertyDialog(QWidget *parent, const TemplateVector *templates, DB_NS::TPNode *node)
    : QPropertyDialog(parent, templates, static_cast<DB_NS::Node *>(node))
{
    m_tpNode = node;
    buildProperties();
}

QPropertyDialog::QPropertyDialog(QWidget *parent, DuplicateLookup lookup, const TemplateVector *templates,
                                 const QStringList *favGroupNames, DB_NS::PGNode *node)
    : QPropertyDialog(parent, templates, static_cast<DB_NS::Node *>(node))
{
    m_duplicateLookup = std::move(lookup);
    m_favGroupNames = favGroupNames;
    m_pgNode = node;
    buildProperties();
}

QPropertyDialog::~QPropertyDialog()
{
    // Editors still waiting for deletion go with the browser; they must not
    // reach a half-destroyed dialog.
    disconnect(m_factory, nullptr, this, nullptr);
}

QtVariantProperty *QPropertyDialog::shownProperty(const QString &name) const
{
    for (QtProperty *property : m_browser->properties()) {
        if (property->propertyName() == name)
            return m_manager->variantProperty(property);
    }
    return nullptr;
}

void QPropertyDialog::buildProperties()
{
    const int count = m_templates ? m_templates->size() : 0;
    m_fieldProperties.fill(nullptr, count);
    m_shownTexts.fill(QString(), count);
    int shown = 0;
    if (m_node) {
        for (int i = 0; i < count; ++i) {
            const TemplateField &field = m_templates->at(i);
            if (!isShown(field))
                continue;
            const NodeAttribute *attribute = m_node->findAttribute(field.name);
            const QString text = attribute ? attribute->value : field.defaultText;
            if (isProgrammeDialog())
                m_shownValues.addAttribute(field.name, text);

            QtVariantProperty *property = createProperty(field);
            // Typing stops where the file would cut the text.
            if (property->propertyType() == QVariant::String)
                m_factory->setMaxLength(property, field.maxLength);
            setPropertyText(property, text);
            if (field.readOnly)
                property->setEnabled(false);
            m_browser->addProperty(property);
            m_propertyFields.insert(property, field);
            m_fieldProperties[i] = property;
            m_shownTexts[i] = propertyText(property);
            ++shown;
        }
    }
    resize(400, qMin(20 * shown + 100, 600));
    m_ready = true;
}

QtVariantProperty *QPropertyDialog::createProperty(const TemplateField &field)
{
    const QString &editorText = field.editorSpec;
    const QString integerPrefix = QStringLiteral("Integer");
    if (editorText.isEmpty())
        return m_manager->addProperty(QVariant::String, field.name);

    if (editorText.startsWith(integerPrefix)) {
        QtVariantProperty *property = m_manager->addProperty(QVariant::Int, field.name);
        const QStringList parts = editorText.mid(integerPrefix.size()).split(QLatin1Char(':'), Qt::KeepEmptyParts);
        if (parts.size() == 3) {
            const QString limits[] = {QStringLiteral("minimum"), QStringLiteral("maximum"),
                                      QStringLiteral("step")};
            for (int i = 0; i < 3; ++i) {
                bool ok = false;
                const int number = parts.at(i).toInt(&ok);
                // A part that is no number leaves that limit open rather than 0.
                if (ok)
                    property->setAttribute(limits[i], number);
            }
        }
        return property;
    }

    if (isProgrammeDialog() && editorText == QLatin1String("#")
        && NodeAttribute::namesEqual(field.name, QStringLiteral("FAV"))) {
        QtVariantProperty *property = m_manager->addProperty(QtVariantPropertyManager::flagTypeId(), field.name);
        // A blank check box says nothing: an unnamed group shows its number.
        property->setAttribute(QStringLiteral("flagNames"),
                               FavouriteMaskEditor::shownNames(m_favGroupNames ? *m_favGroupNames : QStringList()));
        return property;
    }

    QtVariantProperty *property = m_manager->addProperty(QtVariantPropertyManager::enumTypeId(), field.name);
    property->setAttribute(QStringLiteral("enumNames"),
                           editorText.split(QLatin1Char(';'), Qt::KeepEmptyParts, Qt::CaseSensitive));
    return property;
}

void QPropertyDialog::setPropertyText(QtVariantProperty *property, const QString &text)
{
    const int type = property->propertyType();
    if (type == QVariant::String || type == QVariant::Int) {
        property->setValue(text);
    } else if (type == QtVariantPropertyManager::flagTypeId()) {
        // Through 64 bits, so a mask with bit 31 set is not read as a failure.
        const quint32 bits = quint32(text.toLongLong());
        const int names = property->attributeValue(QStringLiteral("flagNames")).toStringList().size();
        m_unshownFlagBits.insert(property, bits & ~namedFlagBits(names));
        property->setValue(qlonglong(bits));
    } else if (type == QtVariantPropertyManager::enumTypeId()) {
        // -1 for an unknown text: the manager then keeps the first option.
        property->setValue(property->attributeValue(QStringLiteral("enumNames")).toStringList().indexOf(text));
    }
}

QString QPropertyDialog::propertyText(QtVariantProperty *property) const
{
    const int type = property->propertyType();
    if (type == QVariant::String)
        return property->value().toString();
    if (type == QVariant::Int)
        return QString::number(property->value().toInt());
    if (type == QtVariantPropertyManager::flagTypeId())
        return QString::number(quint32(property->value().toInt()) | m_unshownFlagBits.value(property));
    if (type == QtVariantPropertyManager::enumTypeId())
        return property->attributeValue(QStringLiteral("enumNames")).toStringList().value(property->value().toInt());
    return QString();
}

void QPropertyDialog::clickedCancel()
{
    m_ready = false;
    reject();
}

void QPropertyDialog::clickedOK()
{
    // An editor still open commits when the focus leaves it; one closed a
    // moment ago may not have been deleted yet. Either way its edit is
    // checked before anything is written.
    m_okButton->setFocus(Qt::OtherFocusReason);
    m_refused = false;
    m_factory->finishEdits();
    if (m_refused)
        return; // the user sees the restored value first
    if (!checkValues())
        return;
    writeBack();
    m_ready = false;
    accept();
}

void QPropertyDialog::valueHasChanged(QtVariantProperty *property)
{
    if (!m_ready || !property)
        return;
    m_changed = true;
    if (!checkDuplicate(property)) {
        m_refused = true;
        return;
    }
    runTrigger(property);
}

bool QPropertyDialog::checkDuplicate(QtVariantProperty *property)
{
    if (!isProgrammeDialog())
        return true;
    const auto field = m_propertyFields.constFind(property);
    if (field == m_propertyFields.constEnd() || !field->duplicateCheck)
        return true;

    const QString name = property->propertyName();
    const QString text = propertyText(property);
    if (m_duplicateLookup) {
        const Document::Duplicate duplicate = m_duplicateLookup(name, text);
        if (duplicate.position > 0) {
            setPropertyText(property, m_shownValues.value(name));
            QMessageBox::critical(this, tr("Error"),
                                  tr("Duplicate PG Index = %1, NAME = %2").arg(duplicate.position).arg(duplicate.name),
                                  QMessageBox::Ok);
            return false;
        }
    }
    m_shownValues.setValue(name, text);
    return true;
}

bool QPropertyDialog::checkValues()
{
    for (int i = 0; m_templates && i < m_templates->size(); ++i) {
        QtVariantProperty *property = m_fieldProperties.value(i);
        const QString text = property ? propertyText(property) : QString();
        // Only what the user changed: a value the file already holds stays.
        if (!property || text == m_shownTexts.value(i))
            continue;
        const TemplateField &field = m_templates->at(i);
        const QString refusal = valueRefusal(field.name, field.range, text);
        if (!refusal.isEmpty()) {
            QMessageBox::critical(this, tr("Error"), refusal, QMessageBox::Ok);
            m_browser->setCurrentProperty(property);
            return false;
        }
    }
    return true;
}

void QPropertyDialog::runTrigger(QtVariantProperty *property)
{
    const auto field = m_propertyFields.constFind(property);
    if (field == m_propertyFields.constEnd() || !field->trigger)
        return;
    QVector<NodeAttribute> values;
    const QList<QtProperty *> shown = m_browser->properties();
    values.reserve(shown.size());
    for (QtProperty *one : shown)
        values.append(NodeAttribute{one->propertyName(), propertyText(m_manager->variantProperty(one))});
    m_ready = false;
    for (const NodeAttribute &set : runFieldTrigger(*field, values)) {
        if (QtVariantProperty *target = shownProperty(set.name))
            setPropertyText(target, set.value);
    }
    m_ready = true;
}

void QPropertyDialog::writeBack()
{
    if (!m_node || !m_templates)
        return;
    for (int i = 0; i < m_templates->size(); ++i) {
        const TemplateField &field = m_templates->at(i);
        QtVariantProperty *property = m_fieldProperties.value(i);
        const QString text = property ? propertyText(property) : QString();
        if (m_node->hasAttribute(field.name)) {
            // A field nobody changed keeps its stored text: an option value the
            // configuration does not know, or a number beyond the editor's
            // range, must survive an unrelated edit.
            if (isShown(field) && text != m_shownTexts.value(i))
                m_node->setValue(field.name, text);
        } else {
            m_node->addAttribute(field.name, text.isEmpty() ? field.defaultText : text);
        }
    }
}

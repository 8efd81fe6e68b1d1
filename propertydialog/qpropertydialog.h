#pragma once

#include "document.h"
#include "pgnode.h"
#include "templatefield.h"

#include <QDialog>
#include <QHash>
#include <QMap>
#include <QStringList>

#include <functional>

class MyVariantEditorFactory;
class QPushButton;
class QtProperty;
class QtTreePropertyBrowser;
class QtVariantProperty;
class QtVariantPropertyManager;

namespace DB_NS {
class SatNode;
class TPNode;
} // namespace DB_NS

/**
 * Edits one satellite, TP or programme as a list of properties built from
 * its kind's field templates. It shows what the field triggers do while the
 * user edits (the document's own rules, which its edits apply again on OK),
 * and refuses a value of a checked field that the lookup finds elsewhere.
 * The node changes only on OK; the caller runs the dialog modally, reads
 * changed() and hands the node's values to the document.
 *
 * The template vector and the favourite names are the caller's and must
 * outlive the dialog.
 */
class QPropertyDialog : public QDialog
{
    Q_OBJECT

public:
    QPropertyDialog(QWidget *parent, const TemplateVector *templates, DB_NS::SatNode *node);
    QPropertyDialog(QWidget *parent, const TemplateVector *templates, DB_NS::TPNode *node);
    /** Finds another programme whose field already holds the text. */
    using DuplicateLookup = std::function<Document::Duplicate(const QString &field, const QString &text)>;

    /** Edits node, which may be a detached copy: duplicates are whatever lookup reports. */
    QPropertyDialog(QWidget *parent, DuplicateLookup lookup, const TemplateVector *templates,
                    const QStringList *favGroupNames, DB_NS::PGNode *node);
    ~QPropertyDialog() override;

    /** True once an edit was finished, whether or not it changed a value. */
    bool changed() const { return m_changed; }

    QtTreePropertyBrowser *browser() const { return m_browser; }
    /** The first shown property with exactly that name, or null. */
    QtVariantProperty *shownProperty(const QString &name) const;

public slots:
    void clickedCancel();
    void clickedOK();
    void valueHasChanged(QtVariantProperty *property);

private:
    QPropertyDialog(QWidget *parent, const TemplateVector *templates, DB_NS::Node *node);

    void buildProperties();
    QtVariantProperty *createProperty(const TemplateField &field);
    bool isShown(const TemplateField &field) const { return field.open && !field.editHidden; }
    bool isProgrammeDialog() const { return m_pgNode != nullptr; }

    void setPropertyText(QtVariantProperty *property, const QString &text);
    QString propertyText(QtVariantProperty *property) const;

    // Returns false when the name was refused (and put back).
    bool checkDuplicate(QtVariantProperty *property);
    // Returns false, after saying why, when a changed value cannot be stored.
    bool checkValues();
    void runTrigger(QtVariantProperty *property);
    void writeBack();

    bool m_ready = false;
    DuplicateLookup m_duplicateLookup;
    DB_NS::SatNode *m_satNode = nullptr;
    DB_NS::TPNode *m_tpNode = nullptr;
    DB_NS::PGNode *m_pgNode = nullptr;
    DB_NS::Node *m_node = nullptr; // whichever of the three is set
    // Last accepted value of each shown field; programme dialogs only.
    DB_NS::PGNode m_shownValues;
    QMap<QtProperty *, TemplateField> m_propertyFields;
    // The property made for each template index (null for hidden fields).
    QVector<QtVariantProperty *> m_fieldProperties;
    QVector<QString> m_shownTexts; // each property's text as the dialog opened
    const TemplateVector *m_templates = nullptr;
    QtTreePropertyBrowser *m_browser = nullptr;
    QtVariantPropertyManager *m_manager = nullptr;
    MyVariantEditorFactory *m_factory = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    bool m_changed = false;
    bool m_refused = false;
    const QStringList *m_favGroupNames = nullptr;
    // Mask bits of a flag value that no favourite group shows; kept so that
    // OK never drops them.
    QHash<QtProperty *, quint32> m_unshownFlagBits;
};

#pragma once

#include "channeldatabase.h"
#include "document.h"
#include "qpropertydialog.h"
#include "templatefield.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

struct FieldOptions
{
    bool open = true;
    bool readOnly = false;
    bool editHidden = false;
    bool duplicateCheck = false;
};

TemplateField field(const QString &name, const QString &defaultText = QString(), const QString &editorText = QString(),
                    FieldOptions options = {}, TriggerCallback trigger = nullptr);

// One satellite, one TP, programmes 0..5 named "Das Erste", "ZDF", "0",
// "arte", "Sport", "Kika": the fifth ("Sport") is the usual duplicate.
std::unique_ptr<ChannelDatabase> makeDatabase();
// The same programmes in a document, as the table's dialogs see them.
std::unique_ptr<Document> makeDocument();
// The table's duplicate lookup: the document's, with self the programme edited.
QPropertyDialog::DuplicateLookup duplicatesIn(const Document &document, const DB_NS::PGNode *self);

// Calls per field name; changing SKIP renames the programme to the fifth one's name.
extern QStringList triggerCalls;
int32_t renamingTrigger(const char16_t *fieldName, DataRecord *record);

/**
 * Checks after every test that no window is left and no trigger
 * configuration or call record carries over, and drives the dialog's
 * editors the way the user does. Qt Test runs the private slot for every
 * class deriving from it, as if it were the test class's own.
 */
class PropertyDialogFixture : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

protected:
    void showActive(QDialog &dialog);
    QWidget *openEditor(QPropertyDialog &dialog, const QString &name);
    void finishEditor(QWidget *editor, Qt::Key key = Qt::Key_Return);
    void typeInto(QWidget *editor, const QString &text);
};

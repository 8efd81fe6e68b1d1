#include "propertydialogfixture.h"

#include "qttreepropertybrowser.h"
#include "qtvariantproperty.h"
#include "records.h"
#include "triggers.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QSpinBox>
#include <QTest>

#include <vector>

using DB_NS::PGNode;
using DB_NS::SatNode;
using DB_NS::TPNode;

TemplateField field(const QString &name, const QString &defaultText, const QString &editorText, FieldOptions options,
                    TriggerCallback trigger)
{
    TemplateField f;
    f.name = name;
    f.defaultText = defaultText;
    f.editorSpec = editorText;
    f.open = options.open;
    f.readOnly = options.readOnly;
    f.editHidden = options.editHidden;
    f.duplicateCheck = options.duplicateCheck;
    f.trigger = trigger;
    return f;
}

namespace {

const QStringList programmeNames{"Das Erste", "ZDF", "0", "arte", "Sport", "Kika"};

} // namespace

std::unique_ptr<ChannelDatabase> makeDatabase()
{
    std::vector<std::unique_ptr<SatNode>> sats;
    std::vector<std::unique_ptr<TPNode>> tps;
    std::vector<std::unique_ptr<PGNode>> pgs;
    sats.push_back(std::make_unique<SatNode>(1));
    sats.back()->setParentId(0);
    tps.push_back(std::make_unique<TPNode>(7));
    tps.back()->setParentId(1);
    for (int i = 0; i < programmeNames.size(); ++i) {
        pgs.push_back(std::make_unique<PGNode>(quint32(i)));
        pgs.back()->setParentId(7);
        pgs.back()->setValue(QStringLiteral("NAME"), programmeNames.at(i));
    }
    return ChannelDatabase::build(std::move(sats), std::move(tps), std::move(pgs));
}

std::unique_ptr<Document> makeDocument()
{
    auto document = std::make_unique<Document>();
    DocumentData data;
    data.database = makeDatabase();
    document->reset(std::move(data));
    return document;
}

QPropertyDialog::DuplicateLookup duplicatesIn(const Document &document, const DB_NS::PGNode *self)
{
    return [&document, self](const QString &field, const QString &text) {
        return document.findDuplicate(self, field, text);
    };
}

QStringList triggerCalls;

int32_t renamingTrigger(const char16_t *fieldName, DataRecord *record)
{
    const QString name = QString::fromUtf16(fieldName);
    triggerCalls.append(name);
    if (name != QLatin1String("SKIP"))
        return 2;
    for (uint32_t i = 0; i < record->count; ++i) {
        if (ostrel::readText(record->values[i].name, OstrelNameUnits) == QLatin1String("NAME"))
            ostrel::copyText(record->values[i].text, OstrelTextUnits, QStringLiteral("Sport"));
    }
    return 0;
}

void PropertyDialogFixture::cleanup()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
    ostrel::setTriggerConfig(nullptr);
    triggerCalls.clear();
}

void PropertyDialogFixture::showActive(QDialog &dialog)
{
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
}

QWidget *PropertyDialogFixture::openEditor(QPropertyDialog &dialog, const QString &name)
{
    // A message box may have taken the activation away.
    QApplication::setActiveWindow(&dialog);
    QtVariantProperty *property = dialog.shownProperty(name);
    if (!property || !dialog.browser()->editItem(property))
        return nullptr;
    QWidget *editor = dialog.browser()->currentEditor();
    const auto focused = [editor] {
        return editor->hasFocus() || editor->isAncestorOf(QApplication::focusWidget());
    };
    return QTest::qWaitFor(focused, 2000) ? editor : nullptr;
}

void PropertyDialogFixture::finishEditor(QWidget *editor, Qt::Key key)
{
    QPointer<QWidget> guard(editor);
    QWidget *target = QApplication::focusWidget();
    QTest::keyClick(target && editor->isAncestorOf(target) ? target : editor, key);
    QTRY_VERIFY(!guard); // deleted: its edit has been reported
}

void PropertyDialogFixture::typeInto(QWidget *editor, const QString &text)
{
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        line->clear();
    else if (auto *spin = qobject_cast<QSpinBox *>(editor))
        spin->clear();
    QTest::keyClicks(QApplication::focusWidget(), text);
}

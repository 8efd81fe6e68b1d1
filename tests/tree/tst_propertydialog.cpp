#include "channeldatabase.h"
#include "favouritemaskeditor.h"
#include "modalanswer.h"
#include "parserconfig.h"
#include "qpropertydialog.h"
#include "qttreepropertybrowser.h"
#include "qtvariantproperty.h"
#include "qtvariantpropertymanager.h"
#include "records.h"
#include "templatefield.h"
#include "triggers.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

#include <memory>
#include <vector>

using DB_NS::PGNode;
using DB_NS::SatNode;
using DB_NS::TPNode;

Q_DECLARE_METATYPE(TemplateVector)

namespace {

const int enumType = QtVariantPropertyManager::enumTypeId();
const int flagType = QtVariantPropertyManager::flagTypeId();

struct FieldOptions
{
    bool open = true;
    bool readOnly = false;
    bool editHidden = false;
    bool duplicateCheck = false;
};

TemplateField field(const QString &name, const QString &defaultText = QString(),
                    const QString &spec = QString(), FieldOptions options = {},
                    TriggerCallback trigger = nullptr)
{
    TemplateField f;
    f.name = name;
    f.defaultText = defaultText;
    f.editorSpec = spec;
    f.open = options.open;
    f.readOnly = options.readOnly;
    f.editHidden = options.editHidden;
    f.duplicateCheck = options.duplicateCheck;
    f.trigger = trigger;
    return f;
}

using Attributes = QVector<NodeAttribute>;

Attributes attributesOf(const DB_NS::Node &node) { return node.attributes(); }

QStringList shownNames(const QPropertyDialog &dialog)
{
    QStringList names;
    for (QtProperty *property : dialog.browser()->properties())
        names.append(property->propertyName());
    return names;
}

// Programme names of the database: the fifth ("Sport") is the usual duplicate.
const QStringList programmeNames{"Das Erste", "ZDF", "0", "arte", "Sport", "Kika"};

// One satellite, one TP, programmes 0..5 named as above.
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

// Calls per field name; changing SKIP renames the programme to the fifth one's name.
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

// A real configuration whose SYSTEM option sets MODULATION.
const QByteArray triggerConfig = R"(<userdb_dump><head size="8"/><sat size="8"/><tp size="8"/>
<pg size="64">
  <elem name="NAME" type="Text" size="32" default="New Channel" duplicatecheck="1"/>
  <elem name="SYSTEM" type="Combobox" size="2" default="0">
    <opt value="0" name="DVB-S"/><opt value="1" name="DVB-S2"/><opt value="2" name="T2"/>
    <trigger from="0" to="0" elem_name="MODULATION" value="0"/>
    <trigger from="1" to="2" elem_name="MODULATION" value="1"/>
  </elem>
  <elem name="MODULATION" type="Combobox" size="2" default="0">
    <opt value="0" name="QPSK"/><opt value="1" name="8PSK"/>
  </elem>
</pg></userdb_dump>)";

} // namespace

class TestPropertyDialog : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void shownFields_data();
    void shownFields();
    void editorKinds_data();
    void editorKinds();
    void okWritesTextsBack_data();
    void okWritesTextsBack();
    void okCompletesAndKeeps();
    void cancelAndCloseChangeNothing_data();
    void cancelAndCloseChangeNothing();
    void sizes_data();
    void sizes();
    void finishedEditSetsChanged_data();
    void finishedEditSetsChanged();
    void editedValuesReachTheNode_data();
    void editedValuesReachTheNode();
    void okCommitsAnOpenEditor_data();
    void okCommitsAnOpenEditor();
    void cancelWithOpenEditorChecksNothing();
    void favouriteMask_data();
    void favouriteMask();
    void duplicateName_data();
    void duplicateName();
    void configurationTriggerSetsOtherField_data();
    void configurationTriggerSetsOtherField();
    void triggerWritesWithoutChecks();

private:
    void showActive(QDialog &dialog);
    QWidget *openEditor(QPropertyDialog &dialog, const QString &name);
    void finishEditor(QWidget *editor, Qt::Key key = Qt::Key_Return);
    void typeInto(QWidget *editor, const QString &text);
};

void TestPropertyDialog::cleanup()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
    ostrel::setTriggerConfig(nullptr);
    triggerCalls.clear();
}

void TestPropertyDialog::showActive(QDialog &dialog)
{
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
}

QWidget *TestPropertyDialog::openEditor(QPropertyDialog &dialog, const QString &name)
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

void TestPropertyDialog::finishEditor(QWidget *editor, Qt::Key key)
{
    QPointer<QWidget> guard(editor);
    QWidget *target = QApplication::focusWidget();
    QTest::keyClick(target && editor->isAncestorOf(target) ? target : editor, key);
    QTRY_VERIFY(!guard); // deleted: its edit has been reported
}

void TestPropertyDialog::typeInto(QWidget *editor, const QString &text)
{
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        line->clear();
    else if (auto *spin = qobject_cast<QSpinBox *>(editor))
        spin->clear();
    QTest::keyClicks(QApplication::focusWidget(), text);
}

void TestPropertyDialog::shownFields_data()
{
    QTest::addColumn<TemplateVector>("templates");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("disabled");

    // The satellite has NAME "Astra", longitude "192" and a lower-case "lnb_type".
    QTest::newRow("plain") << TemplateVector{field("NAME"), field("LONGITUDE", "0", "Integer0:65535:1")}
                           << QStringList{"NAME", "LONGITUDE"} << QStringList{"Astra", "192"} << QStringList();
    QTest::newRow("closed-and-edit-hidden")
        << TemplateVector{field("id", "0", "", {false}), field("NAME"),
                          field("LONGITUDE", "0", "", {true, false, true})}
        << QStringList{"NAME"} << QStringList{"Astra"} << QStringList();
    QTest::newRow("missing-shows-default")
        << TemplateVector{field("NAME"), field("DISEQC", "Port 2", "None;Port 1;Port 2")}
        << QStringList{"NAME", "DISEQC"} << QStringList{"Astra", "Port 2"} << QStringList();
    QTest::newRow("name-any-case")
        << TemplateVector{field("LNB_TYPE", "Single", "Universal;Single;C-Band")}
        << QStringList{"LNB_TYPE"} << QStringList{"C-Band"} << QStringList();
    QTest::newRow("read-only-disabled")
        << TemplateVector{field("NAME", "", "", {true, true}), field("LONGITUDE")}
        << QStringList{"NAME", "LONGITUDE"} << QStringList{"Astra", "192"} << QStringList{"NAME"};
    QTest::newRow("template-order") << TemplateVector{field("LONGITUDE"), field("NAME")}
                                    << QStringList{"LONGITUDE", "NAME"} << QStringList{"192", "Astra"}
                                    << QStringList();
}

void TestPropertyDialog::shownFields()
{
    QFETCH(TemplateVector, templates);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, disabled);

    SatNode sat(3);
    sat.setValue(QStringLiteral("NAME"), QStringLiteral("Astra"));
    sat.setValue(QStringLiteral("LONGITUDE"), QStringLiteral("192"));
    sat.setValue(QStringLiteral("lnb_type"), QStringLiteral("C-Band"));
    QPropertyDialog dialog(nullptr, &templates, &sat);

    QCOMPARE(shownNames(dialog), shown);
    const QList<QTreeWidgetItem *> rows = dialog.browser()->topLevelItems();
    for (int i = 0; i < rows.size(); ++i) {
        QCOMPARE(rows.at(i)->text(1), texts.at(i));
        QCOMPARE(rows.at(i)->isDisabled(), disabled.contains(shown.at(i)));
    }
    QVERIFY(!dialog.changed());
}

void TestPropertyDialog::editorKinds_data()
{
    QTest::addColumn<bool>("programme");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("spec");
    QTest::addColumn<int>("type");
    QTest::addColumn<QVariantMap>("attributes");

    const auto limits = [](int minimum, int maximum, int step) {
        return QVariantMap{{"minimum", minimum}, {"maximum", maximum}, {"step", step}};
    };
    const int lowest = std::numeric_limits<int>::min();
    const int highest = std::numeric_limits<int>::max();
    QTest::newRow("text") << false << "NAME"
                          << "" << int(QVariant::String) << QVariantMap();
    QTest::newRow("integer-range") << false << "SYM"
                                   << "Integer1000:99999:1" << int(QVariant::Int)
                                   << limits(1000, 99999, 1);
    QTest::newRow("integer-step-only") << false << "SYM"
                                       << "Integer::5" << int(QVariant::Int)
                                       << limits(lowest, highest, 5);
    QTest::newRow("integer-negative-minimum") << false << "OFFSET"
                                              << "Integer-50:50:" << int(QVariant::Int)
                                              << limits(-50, 50, 1);
    QTest::newRow("integer-two-parts") << false << "SYM"
                                       << "Integer0:9" << int(QVariant::Int)
                                       << limits(lowest, highest, 1);
    QTest::newRow("integer-four-parts") << false << "SYM"
                                        << "Integer0:9:1:2" << int(QVariant::Int)
                                        << limits(lowest, highest, 1);
    QTest::newRow("integer-not-a-number") << false << "SYM"
                                          << "Integer0:x:1" << int(QVariant::Int)
                                          << limits(0, highest, 1);
    QTest::newRow("options") << false << "POL"
                             << "H;V" << enumType
                             << QVariantMap{{"enumNames", QStringList{"H", "V"}}};
    QTest::newRow("options-empty-kept") << false << "POL"
                                        << "H;;V" << enumType
                                        << QVariantMap{{"enumNames", QStringList{"H", "", "V"}}};
    QTest::newRow("fav-mask") << true << "FAV"
                              << "#" << flagType
                              << QVariantMap{{"flagNames", QStringList{"News", "Sport", "Kids"}}};
    QTest::newRow("fav-any-case") << true << "fav"
                                  << "#" << flagType
                                  << QVariantMap{{"flagNames", QStringList{"News", "Sport", "Kids"}}};
    QTest::newRow("hash-not-fav") << true << "LOCK"
                                  << "#" << enumType
                                  << QVariantMap{{"enumNames", QStringList{"#"}}};
    QTest::newRow("hash-outside-programmes") << false << "FAV"
                                             << "#" << enumType
                                             << QVariantMap{{"enumNames", QStringList{"#"}}};
}

void TestPropertyDialog::editorKinds()
{
    QFETCH(bool, programme);
    QFETCH(QString, name);
    QFETCH(QString, spec);
    QFETCH(int, type);
    QFETCH(QVariantMap, attributes);

    const TemplateVector templates{field(name, "", spec)};
    const QStringList favourites{"News", "Sport", "Kids"};
    auto database = makeDatabase();
    SatNode sat(3);
    PGNode pg(40);
    std::unique_ptr<QPropertyDialog> dialog(
        programme ? new QPropertyDialog(nullptr, database.get(), &templates, &favourites, &pg)
                  : new QPropertyDialog(nullptr, &templates, &sat));

    QtVariantProperty *property = dialog->shownProperty(name);
    QVERIFY(property);
    QCOMPARE(property->propertyType(), type);
    for (auto it = attributes.cbegin(); it != attributes.cend(); ++it)
        QCOMPARE(property->attributeValue(it.key()), it.value());
}

void TestPropertyDialog::okWritesTextsBack_data()
{
    QTest::addColumn<QString>("spec");
    QTest::addColumn<int>("favourites");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("written");

    QTest::newRow("text") << "" << 0 << "Das Erste"
                          << "Das Erste"
                          << "Das Erste";
    // What the editor cannot show is shown as the nearest it can, but a field
    // left alone keeps its stored text: OK must not turn an option value the
    // configuration does not know into another one.
    QTest::newRow("unknown-option-shown-first-kept") << "H;V;L" << 0 << "R"
                                                     << "H"
                                                     << "R";
    QTest::newRow("option-exact-case-kept") << "H;V" << 0 << "v"
                                            << "H"
                                            << "v";
    QTest::newRow("integer-clamped-high-kept") << "Integer0:65535:1" << 0 << "70000"
                                               << "65535"
                                               << "70000";
    QTest::newRow("integer-clamped-low-kept") << "Integer950:99999:1" << 0 << "12"
                                              << "950"
                                              << "12";
    QTest::newRow("integer-no-number-kept") << "Integer::" << 0 << "abc"
                                            << "0"
                                            << "abc";
    QTest::newRow("fav-bit-31") << "#" << 32 << "2147483649"
                                << "g0, g31"
                                << "2147483649";
    QTest::newRow("fav-all-bits") << "#" << 32 << "4294967295" << QString() << "4294967295";
    QTest::newRow("fav-bits-without-group-kept") << "#" << 2 << "13"
                                                 << "g0"
                                                 << "13";
    QTest::newRow("fav-no-groups") << "#" << 0 << "6"
                                   << ""
                                   << "6";
}

void TestPropertyDialog::okWritesTextsBack()
{
    QFETCH(QString, spec);
    QFETCH(int, favourites);
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    QFETCH(QString, written);

    QStringList groups;
    for (int i = 0; i < favourites; ++i)
        groups.append(QStringLiteral("g%1").arg(i));
    const TemplateVector templates{field("FAV", "0", spec)};
    auto database = makeDatabase();
    PGNode *pg = database->findPG(1);
    pg->setValue(QStringLiteral("FAV"), stored);
    QPropertyDialog dialog(nullptr, database.get(), &templates, &groups, pg);

    if (!shown.isNull())
        QCOMPARE(dialog.browser()->topLevelItems().at(0)->text(1), shown);
    dialog.clickedOK();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(pg->value(QStringLiteral("FAV")), written);
    QVERIFY(!dialog.changed());
}

void TestPropertyDialog::okCompletesAndKeeps()
{
    const TemplateVector templates{
        field("id", "0", "Integer::", {false, true, true}), // closed: existing, untouched
        field("NAME", "New Satellite"),
        field("LONGITUDE", "0", "Integer0:65535:1"),                       // missing: default
        field("LNB_LOW", "9750", "Integer0:20000:1", {true, false, true}), // hidden, missing
        field("LNB_POWER", "On", "Off;On", {true, true}),                  // read-only, kept
        field("COMMENT", "none"),                                          // shown, missing, empty text
    };
    SatNode sat(3);
    sat.setValue(QStringLiteral("EXTRA"), QStringLiteral("x")); // no field names it
    sat.setValue(QStringLiteral("ID"), QStringLiteral("99999"));
    sat.setValue(QStringLiteral("name"), QStringLiteral("Astra"));
    sat.setValue(QStringLiteral("LNB_POWER"), QStringLiteral("Off"));
    QPropertyDialog dialog(nullptr, &templates, &sat);
    dialog.shownProperty(QStringLiteral("COMMENT"))->setValue(QString());

    dialog.clickedOK();

    const Attributes expected{{"EXTRA", "x"}, {"ID", "99999"}, {"name", "Astra"}, {"LNB_POWER", "Off"}, {"LONGITUDE", "0"}, {"LNB_LOW", "9750"}, {"COMMENT", "none"}};
    QCOMPARE(attributesOf(sat).size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(sat.attributes().at(i).name, expected.at(i).name);
        QCOMPARE(sat.attributes().at(i).value, expected.at(i).value);
    }
}

void TestPropertyDialog::cancelAndCloseChangeNothing_data()
{
    QTest::addColumn<bool>("viaButton");
    QTest::newRow("cancel") << true;
    QTest::newRow("escape") << false;
}

void TestPropertyDialog::cancelAndCloseChangeNothing()
{
    QFETCH(bool, viaButton);
    const TemplateVector templates{field("FRQ", "11778", "Integer950:99999:1"), field("POL", "H", "H;V"),
                                   field("SYM", "27500", "Integer1000:99999:1")};
    TPNode tp(5);
    tp.setValue(QStringLiteral("FRQ"), QStringLiteral("12000"));
    QPropertyDialog dialog(nullptr, &templates, &tp);
    showActive(dialog);

    QWidget *editor = openEditor(dialog, QStringLiteral("FRQ"));
    QVERIFY(editor);
    typeInto(editor, QStringLiteral("10700"));
    finishEditor(editor);
    QCOMPARE(dialog.shownProperty(QStringLiteral("FRQ"))->value().toInt(), 10700);

    if (viaButton)
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("cancelButton")), Qt::LeftButton);
    else
        QTest::keyClick(dialog.browser()->treeWidget(), Qt::Key_Escape);

    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(tp.attributes().size(), 1);
    QCOMPARE(tp.value(QStringLiteral("FRQ")), QStringLiteral("12000"));
}

void TestPropertyDialog::sizes_data()
{
    QTest::addColumn<int>("fields");
    QTest::addColumn<int>("hidden");
    QTest::addColumn<QSize>("size");
    QTest::newRow("none") << 0 << 0 << QSize(400, 100);
    QTest::newRow("only-hidden") << 0 << 3 << QSize(400, 100);
    QTest::newRow("twelve") << 12 << 2 << QSize(400, 340);
    QTest::newRow("twenty-four") << 24 << 0 << QSize(400, 580);
    QTest::newRow("twenty-five") << 25 << 0 << QSize(400, 600);
    QTest::newRow("thirty") << 30 << 0 << QSize(400, 600);
}

void TestPropertyDialog::sizes()
{
    QFETCH(int, fields);
    QFETCH(int, hidden);
    QFETCH(QSize, size);

    TemplateVector templates;
    for (int i = 0; i < fields; ++i)
        templates.append(field(QStringLiteral("F%1").arg(i)));
    for (int i = 0; i < hidden; ++i)
        templates.append(field(QStringLiteral("H%1").arg(i), "", "", {true, false, true}));
    SatNode sat(1);
    QPropertyDialog dialog(nullptr, &templates, &sat);
    QCOMPARE(dialog.size(), size);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.size(), size);

    dialog.clickedOK(); // hidden fields still get their attribute
    QCOMPARE(sat.attributes().size(), fields + hidden);
}

void TestPropertyDialog::finishedEditSetsChanged_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("key");
    QTest::newRow("text-enter") << "NAME" << int(Qt::Key_Return);
    QTest::newRow("text-escape") << "NAME" << int(Qt::Key_Escape);
    QTest::newRow("integer-enter") << "LONGITUDE" << int(Qt::Key_Enter);
    QTest::newRow("options-escape") << "DISEQC" << int(Qt::Key_Escape);
}

void TestPropertyDialog::finishedEditSetsChanged()
{
    QFETCH(QString, name);
    QFETCH(int, key);
    const TemplateVector templates{field("NAME"), field("LONGITUDE", "0", "Integer0:65535:1"),
                                   field("DISEQC", "None", "None;Port 1")};
    SatNode sat(3);
    sat.setValue(QStringLiteral("NAME"), QStringLiteral("Astra"));
    QPropertyDialog dialog(nullptr, &templates, &sat);
    showActive(dialog);

    QWidget *editor = openEditor(dialog, name);
    QVERIFY(editor);
    QVERIFY(!dialog.changed()); // opening is not finishing
    finishEditor(editor, Qt::Key(key));
    QVERIFY(dialog.changed());

    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("okButton")), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(sat.value(QStringLiteral("NAME")), QStringLiteral("Astra"));
    QCOMPARE(sat.value(QStringLiteral("LONGITUDE")), QStringLiteral("0"));
    QCOMPARE(sat.value(QStringLiteral("DISEQC")), QStringLiteral("None"));
}

void TestPropertyDialog::editedValuesReachTheNode_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("downPresses");
    QTest::addColumn<QString>("written");

    QTest::newRow("text") << "NAME"
                          << "Hot Bird" << 0 << "Hot Bird";
    QTest::newRow("text-emptied") << "NAME"
                                  << "" << 0 << "";
    QTest::newRow("text-typed-over-capacity") << "NAME"
                                              << "Hot Bird 13E" << 0 << "Hot Bird";
    QTest::newRow("integer") << "LONGITUDE"
                             << "1300" << 0 << "1300";
    QTest::newRow("integer-typed-over-maximum") << "LNB_LOW"
                                                << "987654" << 0 << "9876";
    QTest::newRow("option") << "DISEQC"
                            << "" << 2 << "Port 2";
    QTest::newRow("option-past-last") << "DISEQC"
                                      << "" << 9 << "Port 2";
}

void TestPropertyDialog::editedValuesReachTheNode()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(int, downPresses);
    QFETCH(QString, written);

    TemplateVector templates{field("NAME"), field("LONGITUDE", "0", "Integer0:65535:1"),
                             field("LNB_LOW", "9750", "Integer0:20000:1"),
                             field("DISEQC", "None", "None;Port 1;Port 2")};
    templates[0].maxLength = 8; // what the file keeps of a name
    SatNode sat(3);
    sat.setValue(QStringLiteral("NAME"), QStringLiteral("Astra"));
    QPropertyDialog dialog(nullptr, &templates, &sat);
    showActive(dialog);

    QWidget *editor = openEditor(dialog, name);
    QVERIFY(editor);
    if (downPresses == 0)
        typeInto(editor, typed);
    for (int i = 0; i < downPresses; ++i)
        QTest::keyClick(editor, Qt::Key_Down);
    finishEditor(editor);

    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("okButton")), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(dialog.changed());
    QCOMPARE(sat.value(name), written);
}

void TestPropertyDialog::okCommitsAnOpenEditor_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("refused");
    QTest::newRow("new-name") << "Das Erste HD" << false;
    QTest::newRow("duplicate-keeps-dialog-open") << "Kika" << true;
}

void TestPropertyDialog::okCommitsAnOpenEditor()
{
    QFETCH(QString, typed);
    QFETCH(bool, refused);
    const TemplateVector templates{field("NAME", "", "", {true, false, false, true}), field("SID")};
    auto database = makeDatabase();
    PGNode *pg = database->findPG(0);
    const QStringList favourites;
    QPropertyDialog dialog(nullptr, database.get(), &templates, &favourites, pg);
    showActive(dialog);
    auto *ok = dialog.findChild<QPushButton *>(QStringLiteral("okButton"));

    QWidget *editor = openEditor(dialog, QStringLiteral("NAME"));
    QVERIFY(editor);
    typeInto(editor, typed);
    ModalAnswer<QMessageBox> answer([](QMessageBox *box) { box->button(QMessageBox::Ok)->click(); });
    // Straight to OK: the click takes the focus, which commits the editor.
    QTest::mouseClick(ok, Qt::LeftButton);

    QVERIFY(dialog.changed());
    QCOMPARE(answer.answered(), refused);
    QCOMPARE(dialog.isVisible(), refused);
    if (refused) {
        QCOMPARE(pg->value(QStringLiteral("NAME")), QStringLiteral("Das Erste"));
        QCOMPARE(dialog.browser()->topLevelItems().at(0)->text(1), QStringLiteral("Das Erste"));
        QApplication::setActiveWindow(&dialog);
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
    }
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(pg->value(QStringLiteral("NAME")), refused ? QStringLiteral("Das Erste") : typed);
}

void TestPropertyDialog::cancelWithOpenEditorChecksNothing()
{
    const TemplateVector templates{field("NAME", "", "", {true, false, false, true})};
    auto database = makeDatabase();
    PGNode *pg = database->findPG(0);
    const QStringList favourites;
    QPropertyDialog dialog(nullptr, database.get(), &templates, &favourites, pg);
    showActive(dialog);

    QPointer<QWidget> editor = openEditor(dialog, QStringLiteral("NAME"));
    QVERIFY(editor);
    typeInto(editor, QStringLiteral("Kika"));
    ModalAnswer<QMessageBox> answer([](QMessageBox *box) { box->button(QMessageBox::Ok)->click(); });
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("cancelButton")), Qt::LeftButton);

    QTRY_VERIFY(!editor); // its edit reports after the dialog closed
    QTest::qWait(50);
    QVERIFY(!answer.answered());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(pg->value(QStringLiteral("NAME")), QStringLiteral("Das Erste"));
}

void TestPropertyDialog::favouriteMask_data()
{
    QTest::addColumn<int>("groups");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QList<int>>("clicked");
    QTest::addColumn<QString>("written");

    QTest::newRow("set-two") << 3 << "0" << QList<int>{0, 2} << "5";
    QTest::newRow("clear-one") << 3 << "7" << QList<int>{1} << "5";
    QTest::newRow("toggle-back") << 3 << "1" << QList<int>{2, 2} << "1";
    QTest::newRow("bit-31-stays") << 32 << "2147483648" << QList<int>{0} << "2147483649";
    QTest::newRow("set-bit-31") << 32 << "0" << QList<int>{31} << "2147483648";
    QTest::newRow("bits-without-group-stay") << 2 << "12" << QList<int>{1} << "14";
}

void TestPropertyDialog::favouriteMask()
{
    QFETCH(int, groups);
    QFETCH(QString, stored);
    QFETCH(QList<int>, clicked);
    QFETCH(QString, written);

    QStringList names;
    for (int i = 0; i < groups; ++i)
        names.append(QStringLiteral("Group %1").arg(i));
    const TemplateVector templates{field("NAME"), field("FAV", "0", "#")};
    auto database = makeDatabase();
    PGNode *pg = database->findPG(3);
    pg->setValue(QStringLiteral("FAV"), stored);
    QPropertyDialog dialog(nullptr, database.get(), &templates, &names, pg);
    showActive(dialog);

    auto *editor = qobject_cast<FavouriteMaskEditor *>(openEditor(dialog, QStringLiteral("FAV")));
    QVERIFY(editor);
    QCOMPARE(editor->groupNames(), names);
    editor->showPopup();
    QAbstractItemView *list = editor->view();
    QTRY_VERIFY(list->isVisible());
    for (const int group : clicked) {
        const QModelIndex index = list->model()->index(group, 0);
        list->scrollTo(index);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualRect(index).center());
        QVERIFY(list->isVisible()); // a click toggles, the list stays open
    }
    editor->hidePopup();
    finishEditor(editor);

    dialog.clickedOK();
    QCOMPARE(pg->value(QStringLiteral("FAV")), written);
}

void TestPropertyDialog::duplicateName_data()
{
    QTest::addColumn<quint32>("editedId");
    QTest::addColumn<bool>("check");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("checked"); // the field that carries the check

    const QString fifth = QStringLiteral("Duplicate PG Index = 5, NAME = Sport");
    QTest::newRow("fifth") << quint32(1) << true << "Sport" << fifth << "ZDF"
                           << "NAME";
    QTest::newRow("first") << quint32(4) << true << "Das Erste"
                           << "Duplicate PG Index = 1, NAME = Das Erste"
                           << "Sport"
                           << "NAME";
    QTest::newRow("own-name") << quint32(4) << true << "Sport"
                              << ""
                              << "Sport"
                              << "NAME";
    QTest::newRow("zero-never-counts") << quint32(1) << true << "0"
                                       << ""
                                       << "0"
                                       << "NAME";
    QTest::newRow("case-differs") << quint32(1) << true << "sport"
                                  << ""
                                  << "sport"
                                  << "NAME";
    QTest::newRow("no-check-on-field") << quint32(1) << false << "Sport"
                                       << ""
                                       << "Sport"
                                       << "NAME";
    // A new programme has id 0 until it is added; programme 0 still counts.
    QTest::newRow("new-programme") << DB_NS::NoId << true << "Das Erste"
                                   << "Duplicate PG Index = 1, NAME = Das Erste"
                                   << "New Channel"
                                   << "NAME";
    // Any checked field, not only NAME: a channel number Sport already has.
    QTest::newRow("channel-number") << quint32(1) << true << "12" << fifth << "0"
                                    << "LCN";
    QTest::newRow("free-channel-number") << quint32(1) << true << "13"
                                         << ""
                                         << "13"
                                         << "LCN";
}

void TestPropertyDialog::duplicateName()
{
    QFETCH(quint32, editedId);
    QFETCH(bool, check);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(QString, written);
    QFETCH(QString, checked);

    const bool name = checked == QLatin1String("NAME");
    const TemplateVector templates{field("NAME", "New Channel", "", {true, false, false, check && name}),
                                   field("SID", "0", "Integer0:65535:1"),
                                   field("LCN", "0", "", {true, false, false, check && !name})};
    auto database = makeDatabase();
    database->findPG(4)->setValue(QStringLiteral("LCN"), QStringLiteral("12"));
    PGNode fresh(0);
    PGNode *pg = editedId == DB_NS::NoId ? &fresh : database->findPG(editedId);
    const int row = name ? 0 : 2;
    const QStringList favourites;
    QPropertyDialog dialog(nullptr, database.get(), &templates, &favourites, pg);
    showActive(dialog);

    QString shownText;
    QString shownTitle;
    ModalAnswer<QMessageBox> answer([&](QMessageBox *box) {
        shownText = box->text();
        shownTitle = box->windowTitle();
        box->button(QMessageBox::Ok)->click();
    });
    QWidget *editor = openEditor(dialog, checked);
    QVERIFY(editor);
    typeInto(editor, typed);
    finishEditor(editor);

    QCOMPARE(answer.answered(), !message.isEmpty());
    QCOMPARE(shownText, message);
    if (answer.answered())
        QCOMPARE(shownTitle, QStringLiteral("Error"));
    QCOMPARE(dialog.browser()->topLevelItems().at(row)->text(1), written);

    // A refused name is not remembered: the next refusal restores the same.
    if (answer.answered()) {
        ModalAnswer<QMessageBox> again([](QMessageBox *box) { box->button(QMessageBox::Ok)->click(); });
        editor = openEditor(dialog, checked);
        QVERIFY(editor);
        typeInto(editor, typed);
        finishEditor(editor);
        QVERIFY(again.answered());
        QCOMPARE(dialog.browser()->topLevelItems().at(row)->text(1), written);
    }

    dialog.clickedOK();
    QCOMPARE(pg->value(checked), written);
}

void TestPropertyDialog::configurationTriggerSetsOtherField_data()
{
    QTest::addColumn<QString>("storedModulation");
    QTest::addColumn<int>("downPresses");
    QTest::addColumn<QString>("system");
    QTest::addColumn<QString>("modulation");

    QTest::newRow("to-s2") << "QPSK" << 1 << "DVB-S2"
                           << "8PSK";
    QTest::newRow("to-t2-range") << "QPSK" << 2 << "T2"
                                 << "8PSK";
    QTest::newRow("unchanged-still-fires") << "8PSK" << 0 << "DVB-S"
                                           << "QPSK";
}

void TestPropertyDialog::configurationTriggerSetsOtherField()
{
    QFETCH(QString, storedModulation);
    QFETCH(int, downPresses);
    QFETCH(QString, system);
    QFETCH(QString, modulation);

    ostrel::ParserConfig config;
    QString error;
    QVERIFY2(ostrel::readConfigXml(triggerConfig, config, &error), qPrintable(error));
    ostrel::setTriggerConfig(&config);
    ostrel::TemplateStore store;
    ostrel::buildTemplates(OstrelProgramme, config.pg, ostrel::triggerCallback(OstrelProgramme), store);
    const TemplateVector templates = templateVector(store.head());
    QCOMPARE(templates.size(), 3);
    QVERIFY(templates.at(0).duplicateCheck);

    auto database = makeDatabase();
    PGNode *pg = database->findPG(2);
    pg->setValue(QStringLiteral("SYSTEM"), QStringLiteral("DVB-S"));
    pg->setValue(QStringLiteral("MODULATION"), storedModulation);
    const QStringList favourites;
    QPropertyDialog dialog(nullptr, database.get(), &templates, &favourites, pg);
    showActive(dialog);

    QWidget *editor = openEditor(dialog, QStringLiteral("SYSTEM"));
    QVERIFY(qobject_cast<QComboBox *>(editor));
    for (int i = 0; i < downPresses; ++i)
        QTest::keyClick(editor, Qt::Key_Down);
    finishEditor(editor);

    QCOMPARE(dialog.browser()->topLevelItems().at(2)->text(1), modulation); // at once
    dialog.clickedOK();
    QCOMPARE(pg->value(QStringLiteral("SYSTEM")), system);
    QCOMPARE(pg->value(QStringLiteral("MODULATION")), modulation);
    QCOMPARE(pg->value(QStringLiteral("NAME")), QStringLiteral("0"));
}

void TestPropertyDialog::triggerWritesWithoutChecks()
{
    // Every field has the trigger; only SKIP's fires, and it sets a NAME that
    // the fifth programme has.
    const TemplateVector templates{
        field("NAME", "", "", {true, false, false, true}, renamingTrigger),
        field("SKIP", "0", "Integer0:1:1", {}, renamingTrigger),
        field("COMMENT", "", "", {}, renamingTrigger)};
    auto database = makeDatabase();
    PGNode *pg = database->findPG(1);
    const QString longComment(150, QLatin1Char('c'));
    pg->setValue(QStringLiteral("COMMENT"), longComment);
    const QStringList favourites;
    QPropertyDialog dialog(nullptr, database.get(), &templates, &favourites, pg);
    showActive(dialog);

    ModalAnswer<QMessageBox> answer([](QMessageBox *box) { box->button(QMessageBox::Ok)->click(); });
    QWidget *editor = openEditor(dialog, QStringLiteral("SKIP"));
    QVERIFY(editor);
    typeInto(editor, QStringLiteral("1"));
    finishEditor(editor);

    QCOMPARE(triggerCalls, QStringList{"SKIP"});
    QCOMPARE(dialog.browser()->topLevelItems().at(0)->text(1), QStringLiteral("Sport"));
    QTest::qWait(50);
    QVERIFY(!answer.answered());

    dialog.clickedOK();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(pg->value(QStringLiteral("NAME")), QStringLiteral("Sport"));
    QCOMPARE(pg->value(QStringLiteral("SKIP")), QStringLiteral("1"));
    QCOMPARE(pg->value(QStringLiteral("COMMENT")), longComment);
}

QTEST_MAIN(TestPropertyDialog)
#include "tst_propertydialog.moc"

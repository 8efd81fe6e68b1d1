// What the property dialog shows for a node's fields, with which editor, at
// what size, and what OK and Cancel leave in the node.

#include "propertydialogfixture.h"

#include "qttreepropertybrowser.h"
#include "qtvariantproperty.h"
#include "qtvariantpropertymanager.h"

#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using DB_NS::PGNode;
using DB_NS::SatNode;
using DB_NS::TPNode;

Q_DECLARE_METATYPE(TemplateVector)

namespace {

const int enumType = QtVariantPropertyManager::enumTypeId();
const int flagType = QtVariantPropertyManager::flagTypeId();

using Attributes = QVector<NodeAttribute>;

Attributes attributesOf(const DB_NS::Node &node) { return node.attributes(); }

QStringList shownNames(const QPropertyDialog &dialog)
{
    QStringList names;
    for (QtProperty *property : dialog.browser()->properties())
        names.append(property->propertyName());
    return names;
}

} // namespace

class TestPropertyDialog : public PropertyDialogFixture
{
    Q_OBJECT

private slots:
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
};

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
    QTest::addColumn<QString>("editorText");
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
    QFETCH(QString, editorText);
    QFETCH(int, type);
    QFETCH(QVariantMap, attributes);

    const TemplateVector templates{field(name, "", editorText)};
    const QStringList favourites{"News", "Sport", "Kids"};
    const std::unique_ptr<Document> document = makeDocument();
    SatNode sat(3);
    PGNode pg(40);
    std::unique_ptr<QPropertyDialog> dialog(
        programme ? new QPropertyDialog(nullptr, duplicatesIn(*document, &pg), &templates, &favourites, &pg)
                  : new QPropertyDialog(nullptr, &templates, &sat));

    QtVariantProperty *property = dialog->shownProperty(name);
    QVERIFY(property);
    QCOMPARE(property->propertyType(), type);
    for (auto it = attributes.cbegin(); it != attributes.cend(); ++it)
        QCOMPARE(property->attributeValue(it.key()), it.value());
}

void TestPropertyDialog::okWritesTextsBack_data()
{
    QTest::addColumn<QString>("editorText");
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
    QFETCH(QString, editorText);
    QFETCH(int, favourites);
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    QFETCH(QString, written);

    QStringList groups;
    for (int i = 0; i < favourites; ++i)
        groups.append(QStringLiteral("g%1").arg(i));
    const TemplateVector templates{field("FAV", "0", editorText)};
    const std::unique_ptr<Document> document = makeDocument();
    const ChannelDatabase *database = document->database();
    PGNode *pg = database->findPG(1);
    pg->setValue(QStringLiteral("FAV"), stored);
    QPropertyDialog dialog(nullptr, duplicatesIn(*document, pg), &templates, &groups, pg);

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

QTEST_MAIN(TestPropertyDialog)
#include "tst_propertydialog.moc"

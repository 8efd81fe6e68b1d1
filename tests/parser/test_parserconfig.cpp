#include "parserconfig.h"
#include "records.h"
#include "test_userdbhelpers.h"
#include "triggers.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace ostrel;
using namespace userdbtest;

namespace {

// A configuration whose satellite group holds the given elem lines.
QByteArray withSatElems(const QByteArray &elems)
{
    return "<userdb_dump><head size=\"8\"/><sat size=\"64\">" + elems
        + "</sat><tp size=\"8\"/><pg size=\"8\"/></userdb_dump>";
}

FieldDescriptor onlySatField(const QByteArray &elem)
{
    const ParserConfig config = configFrom(withSatElems(elem));
    if (config.sat.fields.size() != 1)
        return FieldDescriptor();
    return config.sat.fields.front();
}

} // namespace

class TestParserConfig : public QObject
{
    Q_OBJECT

private slots:
    void booleans_data();
    void booleans();
    void editorSpecs_data();
    void editorSpecs();
    void comboboxDefault_data();
    void comboboxDefault();
    void orderPermutation();
    void orderFromAttributes();
    void fieldPositions();
    void templates();
    void longTextsAreCut();
    void optionLookups();
    void triggersStored();
    void triggerEvaluation_data();
    void triggerEvaluation();
    void triggerCallbacksFollowConfig();
    void badFiles_data();
    void badFiles();
    void missingFile();
    void rereadKeepsFavAndEmptiesLayouts();
    void shippedConfiguration();
};

void TestParserConfig::booleans_data()
{
    QTest::addColumn<QByteArray>("attribute");
    QTest::addColumn<bool>("open");
    QTest::addColumn<bool>("readOnly");

    QTest::newRow("missing") << QByteArray() << true << false;
    QTest::newRow("zero") << QByteArray("open=\"0\" readonly=\"0\"") << false << false;
    QTest::newRow("one") << QByteArray("open=\"1\" readonly=\"1\"") << true << true;
    QTest::newRow("negative") << QByteArray("open=\"-3\" readonly=\"-3\"") << true << true;
    QTest::newRow("double-zero") << QByteArray("open=\"00\" readonly=\"00\"") << false << false;
    QTest::newRow("true") << QByteArray("open=\"true\" readonly=\"true\"") << true << true;
    QTest::newRow("false") << QByteArray("open=\"false\" readonly=\"false\"") << false << false;
    QTest::newRow("yes-is-unrecognised") << QByteArray("open=\"yes\" readonly=\"yes\"") << false << false;
    QTest::newRow("capital-True") << QByteArray("open=\"True\" readonly=\"True\"") << false << false;
    QTest::newRow("empty") << QByteArray("open=\"\" readonly=\"\"") << false << false;
    QTest::newRow("number-then-text") << QByteArray("open=\"2x\" readonly=\"2x\"") << true << true;
}

void TestParserConfig::booleans()
{
    QFETCH(QByteArray, attribute);
    QFETCH(bool, open);
    QFETCH(bool, readOnly);
    const FieldDescriptor d = onlySatField("<elem name=\"A\" type=\"Integer\" size=\"8\" " + attribute + "/>");
    QCOMPARE(d.name, QStringLiteral("A"));
    QCOMPARE(d.open, open);
    QCOMPARE(d.readOnly, readOnly);
    QCOMPARE(d.editHidden, false);
}

void TestParserConfig::editorSpecs_data()
{
    QTest::addColumn<QByteArray>("elem");
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("hasEditorText");
    QTest::addColumn<QString>("editorText");

    QTest::newRow("integer-range") << QByteArray(R"(<elem name="A" type="Integer" min="0" max="65535" step="1"/>)")
                                   << int(FieldType::Integer) << true << QStringLiteral("Integer0:65535:1");
    QTest::newRow("integer-bare") << QByteArray(R"(<elem name="A" type="Integer"/>)")
                                  << int(FieldType::Integer) << true << QStringLiteral("Integer::");
    QTest::newRow("integer-max-only") << QByteArray(R"(<elem name="A" type="Integer" max="99"/>)")
                                      << int(FieldType::Integer) << true << QStringLiteral("Integer:99:");
    QTest::newRow("fav-any-case") << QByteArray(R"(<elem name="fav" type="Integer" min="1" max="9"/>)")
                                  << int(FieldType::Integer) << true << QStringLiteral("#");
    QTest::newRow("combobox") << QByteArray(R"(<elem name="A" type="Combobox"><opt value="0" name="H"/><opt value="1" name="V"/></elem>)")
                              << int(FieldType::Combobox) << true << QStringLiteral("H;V");
    QTest::newRow("combobox-unnamed-option") << QByteArray(R"(<elem name="A" type="Combobox"><opt name="x"/><opt value="3"/><opt name="z"/></elem>)")
                                             << int(FieldType::Combobox) << true << QStringLiteral("x;;z");
    QTest::newRow("combobox-without-options") << QByteArray(R"(<elem name="A" type="Combobox"/>)")
                                              << int(FieldType::Combobox) << false << QString();
    QTest::newRow("text") << QByteArray(R"(<elem name="A" type="Text"/>)") << int(FieldType::Text) << false << QString();
    QTest::newRow("no-type") << QByteArray(R"(<elem name="A" min="1"/>)") << int(FieldType::Text) << false << QString();
    QTest::newRow("unknown-type") << QByteArray(R"(<elem name="A" type="integer" min="1"/>)") << int(FieldType::Text) << false << QString();
}

void TestParserConfig::editorSpecs()
{
    QFETCH(QByteArray, elem);
    QFETCH(int, type);
    QFETCH(bool, hasEditorText);
    QFETCH(QString, editorText);
    const FieldDescriptor d = onlySatField(elem);
    QCOMPARE(int(d.type), type);
    QCOMPARE(d.hasEditorSpec, hasEditorText);
    QCOMPARE(d.editorSpec, editorText);
}

void TestParserConfig::comboboxDefault_data()
{
    QTest::addColumn<QByteArray>("defaultAttribute");
    QTest::addColumn<QString>("defaultText");
    QTest::newRow("index-2") << QByteArray("default=\"2\"") << QStringLiteral("Third");
    QTest::newRow("index-5-out-of-range") << QByteArray("default=\"5\"") << QString();
    QTest::newRow("missing-is-first") << QByteArray() << QStringLiteral("First");
}

void TestParserConfig::comboboxDefault()
{
    QFETCH(QByteArray, defaultAttribute);
    QFETCH(QString, defaultText);
    const FieldDescriptor d = onlySatField("<elem name=\"A\" type=\"Combobox\" " + defaultAttribute
                                           + R"(><opt value="7" name="First"/><opt value="8" name="Second"/><opt value="9" name="Third"/></elem>)");
    QCOMPARE(d.defaultText, defaultText);
    QCOMPARE(d.optionValues, (std::vector<uint32_t>{7, 8, 9}));
}

void TestParserConfig::orderPermutation()
{
    QCOMPARE(buildOrder({3, 0, 1, 3, 0}), (std::vector<int>{2, 0, 3, 1, 4}));
    QCOMPARE(buildOrder({0, 0}), (std::vector<int>{0, 1}));
    QCOMPARE(buildOrder({5, 4, 3}), (std::vector<int>{2, 1, 0}));
    QCOMPARE(buildOrder({}), std::vector<int>{});
}

void TestParserConfig::orderFromAttributes()
{
    const ParserConfig config = configFrom(withSatElems(
        R"(<elem name="f0" order="3"/><elem name="f1"/><elem name="f2" order="1"/><elem name="f3" order="3"/><elem name="f4" order="0"/>)"));
    QCOMPARE(config.sat.order, (std::vector<int>{2, 0, 3, 1, 4}));
}

void TestParserConfig::fieldPositions()
{
    const ParserConfig config = configFrom(withSatElems(
        R"(<elem name="a" size="3"/><elem name="b" offset="2" size="7"/><elem name="c" size="16"/>)"));
    QCOMPARE(config.sat.starts, (std::vector<uint64_t>{0, 5, 12}));
    QCOMPARE(config.sat.usedBits, uint64_t(28));
    QCOMPARE(config.sat.bytes, 8u);
    // A size that is not a whole number of bytes is cut to whole bytes.
    const ParserConfig odd = configFrom("<userdb_dump><head size=\"15\"/><sat size=\"9\"/><tp size=\"7\"/><pg size=\"16\"/></userdb_dump>");
    QCOMPARE(odd.head.bytes, 1u);
    QCOMPARE(odd.sat.bytes, 1u);
    QCOMPARE(odd.tp.bytes, 0u);
    QCOMPARE(odd.pg.bytes, 2u);
}

void TestParserConfig::templates()
{
    const ParserConfig config = configFrom(withSatElems(
        R"(<elem name="id" type="Integer" readonly="1" edithidden="1" open="0"/>)"
        R"(<elem name="NAME" type="Text" default="Sat" duplicatecheck="true" order="1"/>)"
        R"(<elem name="POL" type="Combobox" edithidden="1"><opt value="0" name="H"/><opt value="1" name="V"/></elem>)"));
    TemplateStore store;
    buildTemplates(OstrelSatellite, config.sat, triggerCallback(OstrelSatellite), store);
    const TemplateList *list = store.head();
    QCOMPARE(list->count, 3u);

    const FieldTemplate &name = list->items[0];
    QCOMPARE(readText(name.name, OstrelNameUnits), QStringLiteral("NAME"));
    QCOMPARE(readText(name.defaultText, OstrelTextUnits), QStringLiteral("Sat"));
    QCOMPARE(name.flags, uint32_t(OstrelFlagDuplicateCheck));
    QCOMPARE(name.open, 1);
    QVERIFY(!name.editorSpec);
    QCOMPARE(name.editorSpecLength, 0);

    const FieldTemplate &id = list->items[1];
    QCOMPARE(readText(id.name, OstrelNameUnits), QStringLiteral("id"));
    QCOMPARE(id.flags, uint32_t(OstrelFlagReadOnly | OstrelFlagEditHidden));
    QCOMPARE(id.open, 0);
    QCOMPARE(QString::fromUtf16(id.editorSpec), QStringLiteral("Integer::"));
    QCOMPARE(id.editorSpecLength, 10);

    const FieldTemplate &pol = list->items[2];
    QCOMPARE(pol.kind, int32_t(OstrelSatellite));
    QCOMPARE(pol.flags, uint32_t(OstrelFlagEditHidden));
    QCOMPARE(QString::fromUtf16(pol.editorSpec), QStringLiteral("H;V"));
    QCOMPARE(pol.editorSpecLength, 4);
    QVERIFY(pol.trigger == triggerCallback(OstrelSatellite));
    QCOMPARE(pol.reserved0 | pol.reserved1 | pol.reserved2 | pol.reserved3 | pol.reserved4 | pol.reserved5, 0);
}

void TestParserConfig::longTextsAreCut()
{
    const QByteArray longName(40, 'N');
    const QByteArray longDefault(150, 'd');
    const FieldDescriptor d = onlySatField("<elem name=\"" + longName + "\" type=\"Text\" default=\"" + longDefault + "\"/>");
    QCOMPARE(d.name, QString(29, QLatin1Char('N')));
    QCOMPARE(d.defaultText, QString(99, QLatin1Char('d')));
    // A surrogate pair is never split at the cut.
    const QByteArray nearEdge = QByteArray(28, 'a') + "\xF0\x9F\x93\xA1";
    const FieldDescriptor pair = onlySatField("<elem name=\"" + nearEdge + "\"/>");
    QCOMPARE(pair.name, QString(28, QLatin1Char('a')));
}

void TestParserConfig::optionLookups()
{
    const FieldDescriptor d = onlySatField(
        R"(<elem name="A" type="Combobox"><opt value="4" name="Four"/><opt value="9" name="Nine"/><opt value="4" name="Again"/></elem>)");
    QCOMPARE(d.optionName(4), QStringLiteral("Four"));
    QCOMPARE(d.optionName(5), QString());
    QCOMPARE(d.optionValue(QStringLiteral("Nine")), 9u);
    QCOMPARE(d.optionValue(QStringLiteral("nine")), 0u);
    // Values the configuration does not know travel as their decimal text.
    QCOMPARE(d.valueToText(9), QStringLiteral("Nine"));
    QCOMPARE(d.valueToText(5), QStringLiteral("5"));
    QCOMPARE(d.textToValue(QStringLiteral("5")), 5u);
    QCOMPARE(d.textToValue(QStringLiteral("Four")), 4u);
    QCOMPARE(d.textToValue(QStringLiteral("Five")), 0u);
    QCOMPARE(d.textToValue(QStringLiteral("5x")), 0u);

    const FieldDescriptor i = onlySatField(R"(<elem name="B" type="Integer"/>)");
    QCOMPARE(i.textToValue(QStringLiteral("12abc")), 12u);
    QCOMPARE(i.textToValue(QStringLiteral("abc")), 0u);
    QCOMPARE(i.textToValue(QStringLiteral("99999999999")), 0xFFFFFFFFu);
}

void TestParserConfig::triggersStored()
{
    const ParserConfig config = configFrom(withSatElems(
        R"(<elem name="A" type="Integer"><trigger from="1" to="2" elem_name="B" value="3"/><trigger from="5" to="6" elem_name="C" value="7"/></elem>)"
        R"(<elem name="T" type="Text"><trigger from="0" to="9" elem_name="B" value="1"/></elem>)"
        R"(<elem name="N"><trigger from="0" to="9" elem_name="B" value="1"/></elem>)"
        R"(<elem name="B" type="Integer"/>)"));
    QCOMPARE(config.sat.triggers.size(), 1);
    const std::vector<TriggerRule> rules = config.sat.triggers.value(QStringLiteral("A"));
    QCOMPARE(rules.size(), size_t(2));
    QCOMPARE(rules[0].from, 1u);
    QCOMPARE(rules[0].to, 2u);
    QCOMPARE(rules[0].target, QStringLiteral("B"));
    QCOMPARE(rules[0].value, 3u);
    QCOMPARE(rules[1].target, QStringLiteral("C"));
}

void TestParserConfig::triggerEvaluation_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("portMode");
    QTest::addColumn<QString>("level");

    // Start values: MODE "Off", LEVEL "1".
    QTest::newRow("combobox-option-fires") << "PORT"
                                           << "Port 2" << 0 << "On"
                                           << "1";
    QTest::newRow("combobox-zero-fires-other-rule") << "PORT"
                                                    << "None" << 0 << "Off"
                                                    << "1";
    QTest::newRow("combobox-unknown-number") << "PORT"
                                             << "3" << 0 << "On"
                                             << "1";
    QTest::newRow("combobox-unknown-name-is-zero") << "PORT"
                                                   << "Port 9" << 0 << "Off"
                                                   << "1";
    QTest::newRow("integer-in-range") << "POWER"
                                      << "40" << 0 << "Off"
                                      << "77";
    QTest::newRow("integer-leading-digits") << "POWER"
                                            << "15dB" << 0 << "Off"
                                            << "77";
    QTest::newRow("integer-out-of-range") << "POWER"
                                          << "99" << 2 << "Off"
                                          << "1";
    QTest::newRow("integer-unknown-option-value") << "POWER"
                                                  << "50" << 0 << "9"
                                                  << "1";
    QTest::newRow("empty-text") << "POWER"
                                << "" << 2 << "Off"
                                << "1";
    QTest::newRow("no-rules-for-field") << "LEVEL"
                                        << "5" << 2 << "Off"
                                        << "5";
    QTest::newRow("field-not-in-record") << "GHOST"
                                         << "5" << 2 << "Off"
                                         << "1";
    QTest::newRow("text-target-fires-unchanged") << "POWER"
                                                 << "2" << 0 << "Off"
                                                 << "1";
    QTest::newRow("missing-target-fires-nothing") << "POWER"
                                                  << "1" << 2 << "Off"
                                                  << "1";
}

void TestParserConfig::triggerEvaluation()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(int, result);
    QFETCH(QString, portMode);
    QFETCH(QString, level);

    const ParserConfig config = configFrom(withSatElems(R"(
        <elem name="PORT" type="Combobox">
          <opt value="0" name="None"/><opt value="1" name="Port 1"/><opt value="2" name="Port 2"/>
          <trigger from="0" to="0" elem_name="MODE" value="0"/>
          <trigger from="1" to="4" elem_name="MODE" value="1"/>
        </elem>
        <elem name="MODE" type="Combobox"><opt value="0" name="Off"/><opt value="1" name="On"/></elem>
        <elem name="LEVEL" type="Integer"/>
        <elem name="LABEL" type="Text"/>
        <elem name="POWER" type="Integer">
          <trigger from="10" to="40" elem_name="LEVEL" value="77"/>
          <trigger from="50" to="50" elem_name="MODE" value="9"/>
          <trigger from="2" to="2" elem_name="LABEL" value="4"/>
          <trigger from="1" to="1" elem_name="MISSING" value="4"/>
        </elem>
        <elem name="GHOST" type="Integer"><trigger from="0" to="9" elem_name="LEVEL" value="3"/></elem>)"));

    RecordStore store;
    DataRecord &record = addRecord(store, 0, 0,
                                   {{"PORT", QStringLiteral("None")}, {"MODE", QStringLiteral("Off")}, {"LEVEL", QStringLiteral("1")}, {"LABEL", QStringLiteral("keep")}, {"POWER", QStringLiteral("0")}});
    for (uint32_t i = 0; i < record.count; ++i)
        if (readText(record.values[i].name, OstrelNameUnits) == field)
            copyText(record.values[i].text, OstrelTextUnits, text);

    const std::u16string name = field.toStdU16String();
    QCOMPARE(evaluateTrigger(config, OstrelSatellite, name.c_str(), &record), result);
    QCOMPARE(valueOf(record, "MODE"), portMode);
    QCOMPARE(valueOf(record, "LEVEL"), level);
    QCOMPARE(valueOf(record, "LABEL"), QStringLiteral("keep"));
}

void TestParserConfig::triggerCallbacksFollowConfig()
{
    ParserConfig config = configFrom(withSatElems(
        R"(<elem name="A" type="Integer"><trigger from="1" to="1" elem_name="B" value="5"/></elem><elem name="B" type="Integer"/>)"));
    RecordStore store;
    DataRecord &record = addRecord(store, 0, 0, {{"A", QStringLiteral("1")}, {"B", QStringLiteral("0")}});

    const ParserConfig *before = triggerConfig();
    setTriggerConfig(nullptr);
    QCOMPARE(triggerCallback(OstrelSatellite)(u"A", &record), 2);
    QCOMPARE(valueOf(record, "B"), QStringLiteral("0"));

    setTriggerConfig(&config);
    // The programme callback reads the programme rules, which have none for A.
    QCOMPARE(triggerCallback(OstrelProgramme)(u"A", &record), 2);
    QCOMPARE(triggerCallback(OstrelSatellite)(u"A", &record), 0);
    QCOMPARE(valueOf(record, "B"), QStringLiteral("5"));
    QCOMPARE(evaluateTrigger(config, 4, u"A", &record), 1);
    QVERIFY(!triggerCallback(0));
    setTriggerConfig(before);
}

void TestParserConfig::badFiles_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QString>("where");

    QTest::newRow("malformed") << QByteArray("<userdb_dump>\n<head size=\"8\">\n</sat>\n</userdb_dump>")
                               << QStringLiteral("test.xml:2: malformed XML");
    QTest::newRow("empty") << QByteArray() << QStringLiteral("test.xml:");
    QTest::newRow("wrong-root") << QByteArray("<?xml version=\"1.0\"?>\n\n<dump/>") << QStringLiteral("test.xml:3: root element is <dump>");
    QTest::newRow("missing-head") << QByteArray("<userdb_dump>\n<sat/><tp/><pg/></userdb_dump>")
                                  << QStringLiteral("test.xml:1: <userdb_dump> has no <head>");
    QTest::newRow("missing-sat") << QByteArray("\n<userdb_dump><head/><tp/><pg/></userdb_dump>")
                                 << QStringLiteral("test.xml:2: <userdb_dump> has no <sat>");
    QTest::newRow("missing-tp") << QByteArray("<userdb_dump><head/><sat/><pg/></userdb_dump>")
                                << QStringLiteral("has no <tp>");
    QTest::newRow("missing-pg") << QByteArray("<userdb_dump><head/><sat/><tp/></userdb_dump>")
                                << QStringLiteral("has no <pg>");
}

void TestParserConfig::badFiles()
{
    QFETCH(QByteArray, xml);
    QFETCH(QString, where);
    ParserConfig config;
    QString error;
    QVERIFY(!readConfigXml(xml, config, &error, QStringLiteral("test.xml")));
    QVERIFY2(error.contains(where), qPrintable(error));
}

void TestParserConfig::missingFile()
{
    QTemporaryDir dir;
    ParserConfig config;
    QString error;
    const QString path = dir.filePath(QStringLiteral("absent.xml"));
    QVERIFY(!readConfigFile(path, config, &error));
    QVERIFY2(error.startsWith(path), qPrintable(error));
}

void TestParserConfig::rereadKeepsFavAndEmptiesLayouts()
{
    ParserConfig config;
    QVERIFY(readConfigXml(R"(<!-- note --><userdb_dump><fav offset="1" size="2" length="3"/><head size="8"/>
        <sat size="8" max_num="7"><elem name="A"/></sat><tp size="8"/><pg size="8"/></userdb_dump>)",
                          config));
    QCOMPARE(config.satMaxNum, 7);
    QCOMPARE(config.favCount, 2u);
    QVERIFY(readConfigXml(R"(<userdb_dump><head size="16"/><sat size="8"/><tp/><pg/></userdb_dump>)", config));
    QCOMPARE(config.favOffset, 1u);
    QCOMPARE(config.favCount, 2u);
    QCOMPARE(config.favLength, 3u);
    QCOMPARE(config.satMaxNum, 0);
    QCOMPARE(config.head.bytes, 2u);
    QVERIFY(config.sat.fields.empty());
    QCOMPARE(config.tp.bytes, 0u);

    // A failed read leaves no layout of the previous one behind.
    QVERIFY(!readConfigXml("<userdb_dump><head size=\"16\"><elem name=\"x\"/></head></userdb_dump>", config));
    QCOMPARE(config.head.fields.size(), size_t(1));
    QVERIFY(config.sat.fields.empty());
    QCOMPARE(config.sat.bytes, 0u);
}

void TestParserConfig::shippedConfiguration()
{
    ParserConfig config;
    QString error;
    QVERIFY2(readConfigFile(QStringLiteral(TAVRIN_SOURCE_DIR "/conf/tavrin_ostrel_config.xml"), config, &error),
             qPrintable(error));
    QVERIFY(config.satMaxNum > 0);
    QVERIFY(config.favCount > 0 && config.favLength > 0);
    for (const NodeLayout *layout : {&config.head, &config.sat, &config.tp, &config.pg}) {
        QVERIFY(layout->bytes > 0);
        QVERIFY(layout->usedBits <= uint64_t(layout->bytes) * 8);
    }
    for (const char *name : {"db_head", "data_len", "crc", "sat_node_size", "tp_node_size",
                             "pg_node_size", "sat_cnt", "tp_cnt", "pg_cnt", "ssdata_len"})
        QVERIFY2(config.head.indexOf(QLatin1String(name)) >= 0, name);
    QVERIFY(config.sat.indexOf(QStringLiteral("id")) >= 0);
    QVERIFY(config.tp.indexOf(QStringLiteral("sat_id")) >= 0);
    QVERIFY(config.pg.indexOf(QStringLiteral("tp_id")) >= 0);
    // Every trigger names a field of its own kind.
    for (const NodeLayout *layout : {&config.sat, &config.tp, &config.pg})
        for (auto it = layout->triggers.cbegin(); it != layout->triggers.cend(); ++it)
            for (const TriggerRule &rule : it.value())
                QVERIFY2(layout->indexOf(rule.target) >= 0, qPrintable(rule.target));
    const FieldDescriptor &fav = config.pg.fields[size_t(config.pg.indexOf(QStringLiteral("FAV")))];
    QCOMPARE(fav.editorSpec, QStringLiteral("#"));
    // The channel number is checked for duplicates; NAME is not, as copies keep their names.
    QVERIFY(!config.pg.fields[size_t(config.pg.indexOf(QStringLiteral("NAME")))].duplicateCheck);
    const int lcn = config.pg.indexOf(QStringLiteral("LCN"));
    QVERIFY(lcn >= 0);
    QVERIFY(config.pg.fields[size_t(lcn)].duplicateCheck);
    QCOMPARE(config.pg.fields[size_t(lcn)].size, 16u);
}

QTEST_GUILESS_MAIN(TestParserConfig)
#include "test_parserconfig.moc"

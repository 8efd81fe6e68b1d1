// Editing in the property dialog: finished edits and what they write, an
// editor still open at OK or Cancel, the favourite mask, the duplicate check
// and the triggers a field change runs.

#include "propertydialogfixture.h"

#include "documentedits.h"
#include "favouritemaskeditor.h"
#include "modalanswer.h"
#include "parserlibrary.h"
#include "parserconfig.h"
#include "qttreepropertybrowser.h"
#include "records.h"
#include "templatelists.h"
#include "triggers.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using DB_NS::PGNode;
using DB_NS::SatNode;

namespace {

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

class TestPropertyDialogEdits : public PropertyDialogFixture
{
    Q_OBJECT

private slots:
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
    void valueTheFileCannotHold_data();
    void valueTheFileCannotHold();
    void configurationTriggerSetsOtherField_data();
    void configurationTriggerSetsOtherField();
    void triggerWritesWithoutChecks();
    void sameBytesAsTheCommandLine_data();
    void sameBytesAsTheCommandLine();
};

void TestPropertyDialogEdits::finishedEditSetsChanged_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("key");
    QTest::newRow("text-enter") << "NAME" << int(Qt::Key_Return);
    QTest::newRow("text-escape") << "NAME" << int(Qt::Key_Escape);
    QTest::newRow("integer-enter") << "LONGITUDE" << int(Qt::Key_Enter);
    QTest::newRow("options-escape") << "DISEQC" << int(Qt::Key_Escape);
}

void TestPropertyDialogEdits::finishedEditSetsChanged()
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

void TestPropertyDialogEdits::editedValuesReachTheNode_data()
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

void TestPropertyDialogEdits::editedValuesReachTheNode()
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

void TestPropertyDialogEdits::okCommitsAnOpenEditor_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("refused");
    QTest::newRow("new-name") << "Das Erste HD" << false;
    QTest::newRow("duplicate-keeps-dialog-open") << "Kika" << true;
}

void TestPropertyDialogEdits::okCommitsAnOpenEditor()
{
    QFETCH(QString, typed);
    QFETCH(bool, refused);
    const TemplateVector templates{field("NAME", "", "", {true, false, false, true}), field("SID")};
    const std::unique_ptr<Document> document = makeDocument();
    const ChannelDatabase *database = document->database();
    PGNode *pg = database->findPG(0);
    const QStringList favourites;
    QPropertyDialog dialog(nullptr, duplicatesIn(*document, pg), &templates, &favourites, pg);
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

void TestPropertyDialogEdits::cancelWithOpenEditorChecksNothing()
{
    const TemplateVector templates{field("NAME", "", "", {true, false, false, true})};
    const std::unique_ptr<Document> document = makeDocument();
    const ChannelDatabase *database = document->database();
    PGNode *pg = database->findPG(0);
    const QStringList favourites;
    QPropertyDialog dialog(nullptr, duplicatesIn(*document, pg), &templates, &favourites, pg);
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

void TestPropertyDialogEdits::favouriteMask_data()
{
    QTest::addColumn<int>("groups");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QList<int>>("clicked");
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("openedByClick"); // a press on the box opens the list, its release lands on group 0
    QTest::addColumn<int>("unnamed");        // the group stored without a name, or -1
    QTest::addColumn<QString>("shown");      // how the list shows that group

    QTest::newRow("set-two") << 3 << "0" << QList<int>{0, 2} << "5" << false << -1 << "";
    QTest::newRow("clear-one") << 3 << "7" << QList<int>{1} << "5" << false << -1 << "";
    QTest::newRow("toggle-back") << 3 << "1" << QList<int>{2, 2} << "1" << false << -1 << "";
    QTest::newRow("bit-31-stays") << 32 << "2147483648" << QList<int>{0} << "2147483649" << false << -1 << "";
    QTest::newRow("set-bit-31") << 32 << "0" << QList<int>{31} << "2147483648" << false << -1 << "";
    QTest::newRow("bits-without-group-stay") << 2 << "12" << QList<int>{1} << "14" << false << -1 << "";
    QTest::newRow("release-that-opens-toggles-nothing") << 3 << "6" << QList<int>{} << "6" << true << -1 << "";
    QTest::newRow("unnamed-group-shows-its-number") << 3 << "2" << QList<int>{1} << "0" << false << 1 << "Group 2";
    QTest::newRow("click-in-the-opened-list-toggles") << 3 << "6" << QList<int>{0} << "7" << true << -1 << "";
}

void TestPropertyDialogEdits::favouriteMask()
{
    QFETCH(int, groups);
    QFETCH(QString, stored);
    QFETCH(QList<int>, clicked);
    QFETCH(QString, written);
    QFETCH(bool, openedByClick);
    QFETCH(int, unnamed);
    QFETCH(QString, shown);

    QStringList names;
    for (int i = 0; i < groups; ++i)
        names.append(i == unnamed ? QString() : QStringLiteral("Name %1").arg(i));
    const TemplateVector templates{field("NAME"), field("FAV", "0", "#")};
    const std::unique_ptr<Document> document = makeDocument();
    const ChannelDatabase *database = document->database();
    PGNode *pg = database->findPG(3);
    pg->setValue(QStringLiteral("FAV"), stored);
    QPropertyDialog dialog(nullptr, duplicatesIn(*document, pg), &templates, &names, pg);
    showActive(dialog);

    auto *editor = qobject_cast<FavouriteMaskEditor *>(openEditor(dialog, QStringLiteral("FAV")));
    QVERIFY(editor);
    QCOMPARE(editor->count(), names.size());
    if (unnamed >= 0)
        QCOMPARE(editor->itemText(unnamed), shown);
    QAbstractItemView *list = editor->view();
    if (openedByClick) {
        QTest::mousePress(editor, Qt::LeftButton);
        QTRY_VERIFY(list->isVisible());
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                            list->visualRect(list->model()->index(0, 0)).center());
    } else {
        editor->showPopup();
    }
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

void TestPropertyDialogEdits::duplicateName_data()
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

void TestPropertyDialogEdits::duplicateName()
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
    const std::unique_ptr<Document> document = makeDocument();
    const ChannelDatabase *database = document->database();
    database->findPG(4)->setValue(QStringLiteral("LCN"), QStringLiteral("12"));
    PGNode fresh(0);
    PGNode *pg = editedId == DB_NS::NoId ? &fresh : database->findPG(editedId);
    const int row = name ? 0 : 2;
    const QStringList favourites;
    QPropertyDialog dialog(nullptr, duplicatesIn(*document, pg), &templates, &favourites, pg);
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

void TestPropertyDialogEdits::valueTheFileCannotHold_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message"); // empty: OK closes the dialog

    QTest::newRow("text-in-number") << "SID"
                                    << "abc"
                                    << "SID: 'abc' is not a number from 0 to 65535";
    QTest::newRow("just-in-range") << "SID"
                                   << "65535"
                                   << "";
    // SID holds 70000 from the file: a value nobody changed never blocks OK.
    QTest::newRow("other-field-changed") << "NAME"
                                         << "Renamed"
                                         << "";
}

void TestPropertyDialogEdits::valueTheFileCannotHold()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(QString, message);

    TemplateVector templates{field("NAME"), field("SID")};
    templates[1].range = ValueRange{OstrelValueNumber, 0, 65535, {}};
    const std::unique_ptr<Document> document = makeDocument();
    const ChannelDatabase *database = document->database();
    PGNode *pg = database->findPG(1);
    pg->setValue(QStringLiteral("SID"), QStringLiteral("70000"));
    const QString before = pg->value(name);
    const QStringList favourites;
    QPropertyDialog dialog(nullptr, duplicatesIn(*document, pg), &templates, &favourites, pg);
    showActive(dialog);

    QWidget *editor = openEditor(dialog, name);
    QVERIFY(editor);
    typeInto(editor, typed);
    finishEditor(editor);
    QString shown;
    ModalAnswer<QMessageBox> answer([&shown](QMessageBox *box) {
        shown = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("okButton")), Qt::LeftButton);

    QCOMPARE(shown, message);
    QCOMPARE(dialog.isVisible(), !message.isEmpty());
    QCOMPARE(pg->value(name), message.isEmpty() ? typed : before);
    QCOMPARE(pg->value(QStringLiteral("SID")), name == QLatin1String("SID") && message.isEmpty() ? typed : QStringLiteral("70000"));
}

void TestPropertyDialogEdits::configurationTriggerSetsOtherField_data()
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

void TestPropertyDialogEdits::configurationTriggerSetsOtherField()
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

    const std::unique_ptr<Document> document = makeDocument();
    const ChannelDatabase *database = document->database();
    PGNode *pg = database->findPG(2);
    pg->setValue(QStringLiteral("SYSTEM"), QStringLiteral("DVB-S"));
    pg->setValue(QStringLiteral("MODULATION"), storedModulation);
    const QStringList favourites;
    QPropertyDialog dialog(nullptr, duplicatesIn(*document, pg), &templates, &favourites, pg);
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

void TestPropertyDialogEdits::triggerWritesWithoutChecks()
{
    // Every field has the trigger; only SKIP's fires, and it sets a NAME that
    // the fifth programme has.
    const TemplateVector templates{
        field("NAME", "", "", {true, false, false, true}, renamingTrigger),
        field("SKIP", "0", "Integer0:1:1", {}, renamingTrigger),
        field("COMMENT", "", "", {}, renamingTrigger)};
    const std::unique_ptr<Document> document = makeDocument();
    const ChannelDatabase *database = document->database();
    PGNode *pg = database->findPG(1);
    const QString longComment(150, QLatin1Char('c'));
    pg->setValue(QStringLiteral("COMMENT"), longComment);
    const QStringList favourites;
    QPropertyDialog dialog(nullptr, duplicatesIn(*document, pg), &templates, &favourites, pg);
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

QTEST_MAIN(TestPropertyDialogEdits)
// The golden dump with the shipped configuration: each edit chosen in the
// dialog, then OK as the tree hands it to the document, against the same
// values given to `tavrin-cli edit`.
void TestPropertyDialogEdits::sameBytesAsTheCommandLine_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<quint32>("id");
    QTest::addColumn<quint32>("satId");
    QTest::addColumn<QStringList>("choices"); // "FIELD=option", in the order chosen
    QTest::addColumn<QString>("expected");    // "FIELD=text" after the edit

    const int sat = int(NodeKind::Satellite), tp = int(NodeKind::Transponder);
    QTest::newRow("diseqc-sets-mode") << sat << 0u << 0u << QStringList{"DISEQC=Port 2"} << "DISEQC_MODE=1.0";
    QTest::newRow("diseqc-none-clears-mode") << sat << 2u << 2u << QStringList{"DISEQC=None"} << "DISEQC_MODE=Off";
    QTest::newRow("mode-chosen-after-stands") << sat << 0u << 0u << QStringList{"DISEQC=Port 2", "DISEQC_MODE=1.1"}
                                              << "DISEQC_MODE=1.1";
    QTest::newRow("system-sets-modulation") << tp << 1u << 1u << QStringList{"SYSTEM=DVB-S"} << "MODULATION=QPSK";
}

void TestPropertyDialogEdits::sameBytesAsTheCommandLine()
{
    QFETCH(int, kind);
    QFETCH(quint32, id);
    QFETCH(quint32, satId);
    QFETCH(QStringList, choices);
    QFETCH(QString, expected);
    const QString golden = QStringLiteral(TAVRIN_TEST_DATA_DIR "/golden.udf");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());

    ParserLibrary library;
    QVERIFY2(library.bind(QStringLiteral(TAVRIN_BIN_DIR "/libostrel.so")), qPrintable(library.errorString()));
    Document document;
    QCOMPARE(document.load(library, golden, OstrelUserDump, QString()), LoadStatus::Loaded);
    const NodeKind nodeKind = NodeKind(kind);
    const DB_NS::Node *live = document.findNode(nodeKind, id, satId);
    QVERIFY(live);
    DB_NS::SatNode satCopy(id);
    DB_NS::TPNode tpCopy(id);
    DB_NS::Node &copy = nodeKind == NodeKind::Satellite ? static_cast<DB_NS::Node &>(satCopy) : tpCopy;
    copy.setParentId(live->getParentId());
    copy.setAttributes(live->attributes());
    const TemplateVector *templates = &document.templateOf(nodeKind);
    std::unique_ptr<QPropertyDialog> dialog = nodeKind == NodeKind::Satellite ? std::make_unique<QPropertyDialog>(nullptr, templates, &satCopy)
                                                                              : std::make_unique<QPropertyDialog>(nullptr, templates, &tpCopy);
    showActive(*dialog);
    QJsonObject values;
    for (const QString &choice : qAsConst(choices)) {
        const QString name = choice.section(QLatin1Char('='), 0, 0), option = choice.section(QLatin1Char('='), 1);
        auto *box = qobject_cast<QComboBox *>(openEditor(*dialog, name));
        QVERIFY(box);
        const int wanted = box->findText(option);
        QVERIFY(wanted >= 0);
        while (box->currentIndex() != wanted)
            QTest::keyClick(box, box->currentIndex() < wanted ? Qt::Key_Down : Qt::Key_Up);
        finishEditor(box);
        values.insert(name, option);
    }
    QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("okButton")), Qt::LeftButton);
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QVERIFY(document.edits().editNode(nodeKind, id, satId, copy.attributes()).isPushed());
    const QString field = expected.section(QLatin1Char('='), 0, 0);
    QCOMPARE(document.findNode(nodeKind, id, satId)->value(field), expected.section(QLatin1Char('='), 1));
    const QString fromDialog = dir.filePath(QStringLiteral("dialog.udf"));
    QCOMPARE(document.save(&library, library.path(), fromDialog, OstrelUserDump), SaveOutcome::Saved);

    const QJsonObject op{{"op", "edit"}, {"kind", kind == int(NodeKind::Satellite) ? "satellite" : "transponder"}, {"id", qint64(id)}, {"values", values}};
    QFile ops(dir.filePath(QStringLiteral("ops.json")));
    QVERIFY(ops.open(QIODevice::WriteOnly));
    ops.write(QJsonDocument(QJsonArray{op}).toJson());
    ops.close();
    const QString fromCli = dir.filePath(QStringLiteral("cli.udf"));
    QProcess cli;
    cli.start(QStringLiteral(TAVRIN_BIN_DIR "/tavrin-cli"),
              {QStringLiteral("edit"), golden, QStringLiteral("--ops"), ops.fileName(), QStringLiteral("-o"), fromCli});
    QVERIFY(cli.waitForFinished(60000));
    QVERIFY2(cli.exitCode() == 0, cli.readAllStandardError().constData());

    QFile a(fromDialog), b(fromCli);
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QVERIFY(a.readAll() == b.readAll());
}

#include "tst_propertydialogedits.moc"

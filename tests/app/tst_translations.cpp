// The editor started as main.cpp starts it, under LANG=de_DE.UTF-8 or
// ru_RU.UTF-8: the File and Edit menus and the close question speak the
// language, Qt's own buttons included.

#include "documentedits.h"
#include "modalanswer.h"
#include "tavrin.h"
#include "translations.h"

#include <QAbstractButton>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void windowSpeaksTheLanguage_data();
    void windowSpeaksTheLanguage();
    void acceleratorsAreUniqueInEachMenu();

private:
    QString m_language; // "de" or "ru", from LANG
    QTemporaryDir m_dir;
    QMap<QString, QString> m_shown; // by object name, the close question's by "question.*"
    QStringList m_clashes;          // "menu: key in text, text"
};

// The letter after a single '&', lower-cased; none for "&&" alone.
static QChar accelerator(const QString &text)
{
    for (int i = text.indexOf(QLatin1Char('&')); i >= 0 && i + 1 < text.size(); i = text.indexOf(QLatin1Char('&'), i + 2)) {
        if (text.at(i + 1) != QLatin1Char('&'))
            return text.at(i + 1).toLower();
    }
    return {};
}

static void findClashes(const QString &where, const QList<QAction *> &actions, QStringList &clashes)
{
    QHash<QChar, QString> taken;
    for (const QAction *action : actions) {
        const QChar key = accelerator(action->text());
        if (key.isNull())
            continue;
        if (taken.contains(key))
            clashes << QStringLiteral("%1: %2 in %3, %4").arg(where, key, taken.value(key), action->text());
        taken.insert(key, action->text());
    }
}

void TestTranslations::initTestCase()
{
    m_language = qEnvironmentVariable("LANG").left(2);
    if (m_language != QLatin1String("de") && m_language != QLatin1String("ru"))
        QSKIP("Runs under LANG=de_DE.UTF-8 or ru_RU.UTF-8");
    QVERIFY(m_dir.isValid());
    // Settings and recovery files in a folder of the run's own.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.path()));
    QVERIFY(Translations::install(qApp) == 2);
    Tavrin window;
    window.show();
    for (QMenu *menu : window.findChildren<QMenu *>())
        m_shown.insert(menu->objectName(), menu->title());
    for (QAction *action : window.findChildren<QAction *>())
        m_shown.insert(action->objectName(), action->text());
    findClashes(QStringLiteral("menu bar"), window.menuBar()->actions(), m_clashes);
    for (QMenu *menu : window.findChildren<QMenu *>())
        findClashes(menu->title(), menu->actions(), m_clashes);

    const QString copy = m_dir.filePath(QStringLiteral("small.udf"));
    QVERIFY(QFile::copy(QStringLiteral(TAVRIN_SOURCE_DIR "/samples/small.udf"), copy));
    window.openFile(copy);
    QVERIFY(window.document()->edits().renameGroup(0, QStringLiteral("Changed")));
    ModalAnswer<QMessageBox> question([this](QMessageBox *box) {
        m_shown.insert(QStringLiteral("question.title"), box->windowTitle());
        m_shown.insert(QStringLiteral("question.text"), box->text());
        const std::pair<QMessageBox::StandardButton, const char *> buttons[] = {
            {QMessageBox::Save, "Save"}, {QMessageBox::Discard, "Discard"}, {QMessageBox::Cancel, "Cancel"}};
        for (const auto &[button, name] : buttons)
            m_shown.insert(QStringLiteral("question.") + QLatin1String(name), box->button(button)->text().remove(QLatin1Char('&')));
        box->button(QMessageBox::Cancel)->click();
    });
    window.close();
    QVERIFY(question.answered());
    window.document()->markClean();
}

void TestTranslations::windowSpeaksTheLanguage_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("expected");
    const bool de = m_language == QLatin1String("de");
    const struct
    {
        const char *shown, *de, *ru;
    } rows[] = {
        {"menuFile", "Datei", "Файл"},
        {"actionOpen", "Öffnen", "Открыть"},
        {"menuRecent", "&Zuletzt geöffnet", "&Недавние файлы"},
        {"actionSave", "Speichern", "Сохранить"},
        {"actionSave_As", "Speichern unter...", "Сохранить как..."},
        {"actionExportList", "Liste exportieren…", "Экспорт списка…"},
        {"actionClose", "Schließen", "Закрыть"},
        {"actionExit", "Beenden", "Выход"},
        {"menuEdit", "&Bearbeiten", "&Правка"},
        {"actionUndo", "Rückgängig", "Отменить действие"},
        {"actionRedo", "Wiederherstellen", "Повторить действие"},
        {"actionFindDuplicates", "Duplikate finden…", "Найти дубликаты…"},
        {"actionSort", "Sortieren…", "Сортировка…"},
        {"actionOrderLike", "Ordnen wie…", "Упорядочить как…"},
        {"question.title", "Warnung", "Предупреждение"},
        {"question.text", "Die geänderten Daten wurden nicht gespeichert. Trotzdem schließen?",
         "Изменённые данные не сохранены. Всё равно закрыть?"},
        {"question.Save", "Speichern", "Сохранить"},
        {"question.Discard", "Verwerfen", "Отклонить"},
        {"question.Cancel", "Abbrechen", "Отмена"},
    };
    for (const auto &row : rows)
        QTest::newRow(row.shown) << m_shown.value(QLatin1String(row.shown)) << QString::fromUtf8(de ? row.de : row.ru);
}

void TestTranslations::windowSpeaksTheLanguage()
{
    QFETCH(QString, shown);
    QFETCH(QString, expected);
    QCOMPARE(shown, expected);
}

void TestTranslations::acceleratorsAreUniqueInEachMenu()
{
    QVERIFY2(m_clashes.isEmpty(), qPrintable(m_clashes.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"

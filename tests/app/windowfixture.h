#pragma once

#include "dbtreewidget.h"
#include "documentedits.h"
#include "fakedialogs.h"
#include "fakeparser.h"
#include "flashcustomchosedialog.h"
#include "modalanswer.h"
#include "qdbprogramwidget.h"
#include "tavrin.h"
#include "usersettings.h"

#include <QAction>
#include <QFile>
#include <QLibrary>
#include <QMenu>
#include <QObject>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

/**
 * One main window per test, on the stand-in parser library, with a registry
 * and sample files in a fresh folder and the user's settings in a folder of
 * the run's own. Qt Test runs these private slots for every class deriving
 * from it, as if they were the test class's own.
 */
class WindowFixture : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

protected:
    // Answers for the customer dialog, and none when it must not be asked.
    static inline const QString kOk = QStringLiteral("ok");
    static inline const QString kCancel = QStringLiteral("cancel");
    static inline const QString kNone = QString();

    // Clicks OK or Cancel on the customer dialog once it is up.
    static std::unique_ptr<ModalAnswer<FlashCustomChoseDialog>> answerCustomer(const QString &answer);

    QString file(const QString &name) const { return m_dir->filePath(name); }
    DBTreeWidget *tree() const { return m_window->findChild<DBTreeWidget *>(QStringLiteral("dbTreeWidget")); }
    QDBProgramWidget *table() const
    {
        return m_window->findChild<QDBProgramWidget *>(QStringLiteral("programWidget"));
    }
    QAction *action(const char *name) const { return m_window->findChild<QAction *>(QLatin1String(name)); }
    // An edit with an undo step: nothing else marks the document changed.
    void markChanged() { QVERIFY(m_window->document()->edits().renameGroup(0, QStringLiteral("Changed"))); }
    QString iniValue(const QString &key) const { return UserSettings().value(key).toString(); }
    // Opens a copy of the sample dump with the real parser library; false when either is missing.
    bool openRealSample(const QString &copyName, const QByteArray &bytes = QByteArray());
    QString readAll(const QString &path) const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QStringLiteral("<none>");
    }
    void writeAll(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
    QStringList recentMenu() const
    {
        auto *menu = m_window->findChild<QMenu *>(QStringLiteral("menuRecent"));
        emit menu->aboutToShow();
        QStringList entries;
        for (QAction *a : menu->actions())
            entries << (a->isEnabled() ? a->text() : QLatin1Char('-') + a->text());
        return entries;
    }
    // Opens through File, Open, answering the customer choice when asked.
    void openThroughMenu(const QString &path, const QString &customerAnswer = kNone);

    QLibrary m_fake{QStringLiteral(FAKEPARSER_PATH)};
    FakeParserState *m_state = nullptr;
    QTemporaryDir m_configDir;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_iniPath;
    FakeDialogs m_dialogs;
    std::unique_ptr<Tavrin> m_window;
};

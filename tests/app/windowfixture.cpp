#include "windowfixture.h"

#include <QDir>
#include <QPushButton>
#include <QSettings>

void WindowFixture::initTestCase()
{
    // Held loaded for the whole run so its record survives the window unloading it.
    QVERIFY2(m_fake.load(), qPrintable(m_fake.errorString()));
    auto stateFn = reinterpret_cast<FakeParserStateFn>(m_fake.resolve("FakeParser"));
    QVERIFY(stateFn);
    m_state = stateFn();
    // Per-user settings go to a folder of the test's own.
    QVERIFY(m_configDir.isValid());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_configDir.path());
}

void WindowFixture::init()
{
    *m_state = FakeParserState{};
    m_dialogs.reset();
    UserSettings().clear();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_iniPath = file(QStringLiteral("Tavrin.ini"));
    // "ddf" has a kind but no library; "txt" has neither; "mud" uses the
    // library without the optional entries.
    QFile ini(m_iniPath);
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[type]\nflash=1\nuserdb=2\ndefaultdb=3\n"
              "[dll]\nabs=" FAKEPARSER_PATH "\nudf=" FAKEPARSER_PATH "\nmud=" FAKEPARSER_MINIMAL_PATH "\n"
              "[ext]\nabs=flash\nudf=userdb\nddf=defaultdb\nmud=userdb\n"
              "[desc]\nabs=Flash image\nudf=User dump\n");
    ini.close();
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("out")));
    for (const char *name : {"a.udf", "b.udf", "c.abs", "d.txt", "e.ddf", "f.mud"}) {
        QFile f(file(QLatin1String(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("data");
    }
    m_window = std::make_unique<Tavrin>(m_iniPath, &m_dialogs);
    m_window->show();
}

void WindowFixture::cleanup()
{
    if (m_window)
        m_window->document()->markClean();
    m_window.reset();
    m_dir.reset();
}

std::unique_ptr<ModalAnswer<FlashCustomChoseDialog>> WindowFixture::answerCustomer(const QString &answer)
{
    const QString button = answer == kOk ? QStringLiteral("pushButton_ok") : QStringLiteral("pushButton_cancel");
    return std::make_unique<ModalAnswer<FlashCustomChoseDialog>>([button](FlashCustomChoseDialog *dialog) {
        if (QPushButton *b = dialog->findChild<QPushButton *>(button))
            b->click();
        else
            dialog->reject();
    });
}

void WindowFixture::openThroughMenu(const QString &path, const QString &customerAnswer)
{
    m_dialogs.openAnswers << path;
    std::unique_ptr<ModalAnswer<FlashCustomChoseDialog>> customer;
    if (!customerAnswer.isEmpty())
        customer = answerCustomer(customerAnswer);
    action("actionOpen")->trigger();
    if (customer)
        QVERIFY2(customer->answered(), "the customer choice was not shown");
}

bool WindowFixture::openRealSample(const QString &copyName, const QByteArray &bytes)
{
    const QString sample = QStringLiteral(TAVRIN_SOURCE_DIR "/samples/small.udf");
    if (!QFile::exists(sample) || !QFile::exists(QStringLiteral(TAVRIN_BIN_DIR "/libostrel.so")))
        return false;
    // The shipped registry names the library; the window reads it from a copy.
    const QString ini = file(QStringLiteral("shipped.ini"));
    QFile::remove(ini);
    if (!QFile::copy(QStringLiteral(TAVRIN_SOURCE_DIR "/conf/Tavrin.ini"), ini))
        return false;
    QFile original(sample), copy(file(copyName));
    if (!original.open(QIODevice::ReadOnly) || !copy.open(QIODevice::WriteOnly))
        return false;
    copy.write(bytes.isNull() ? original.readAll() : bytes);
    copy.close();
    m_window = std::make_unique<Tavrin>(ini, &m_dialogs);
    m_dialogs.openAnswers << file(copyName);
    action("actionOpen")->trigger();
    return true;
}

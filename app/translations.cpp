#include "translations.h"

#include "installlayout.h"
#include "programpaths.h"
#include "usersettings.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

const QString kLanguageKey = QStringLiteral("language");

bool installOne(QCoreApplication *app, const QLocale &locale, const QString &name, const QString &dir)
{
    auto *translator = new QTranslator(app);
    if (translator->load(locale, name, QStringLiteral("_"), dir) && QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}

} // namespace

namespace Translations {

QString chosenLanguage()
{
    return UserSettings().value(kLanguageKey).toString();
}

void setChosenLanguage(const QString &code)
{
    UserSettings().setValue(kLanguageKey, code);
}

QLocale chosenLocale()
{
    const QString code = chosenLanguage();
    // A choice this version does not know (a later one's) falls back to the system.
    if (code == QLatin1String("en") || code == QLatin1String("de") || code == QLatin1String("ru"))
        return QLocale(code);
    return QLocale::system();
}

QString folder()
{
    const QString dir = programDir();
    return tavrin::besideOrInstalled(dir, QStringLiteral("translations"), tavrin::installedDataDir(dir));
}

int install(QCoreApplication *app)
{
    const QLocale locale = chosenLocale();
    // English is the source language: a system that asks for it first needs no
    // file, and must not fall through to a later language of its list.
    if (locale.uiLanguages().value(0).startsWith(QLatin1String("en")))
        return 0;
    int installed = 0;
    if (installOne(app, locale, QStringLiteral("tavrin"), folder()))
        ++installed;
    // Only with ours: Qt's own buttons in a language the rest of the window does not speak would stand out.
    if (installed && installOne(app, locale, QStringLiteral("qtbase"), QLibraryInfo::location(QLibraryInfo::TranslationsPath)))
        ++installed;
    return installed;
}

} // namespace Translations

#include "filetyperegistry.h"

#include "installlayout.h"
#include "programpaths.h"

#include <QFileInfo>
#include <QSettings>
#include <QStringList>

QString lowerSuffix(const QString &path)
{
    return QFileInfo(path).suffix().toLower();
}

QString FileTypeRegistry::defaultIniPath()
{
    return tavrin::besideOrInstalled(programDir(), QStringLiteral("conf"), tavrin::installedDataDir(programDir()))
        + QStringLiteral("/Tavrin.ini");
}

FileTypeRegistry FileTypeRegistry::fromFile(const QString &iniPath)
{
    FileTypeRegistry r;
    QSettings ini(iniPath, QSettings::IniFormat);

    QMap<QString, int> kindByTypeName;
    ini.beginGroup(QStringLiteral("type"));
    for (const QString &key : ini.childKeys())
        kindByTypeName.insert(key, ini.value(key).toInt());
    ini.endGroup();

    ini.beginGroup(QStringLiteral("dll"));
    for (const QString &key : ini.childKeys())
        r.libraryByExtension.insert(key, ini.value(key).toString());
    ini.endGroup();

    ini.beginGroup(QStringLiteral("ext"));
    for (const QString &key : ini.childKeys()) {
        const int kind = kindByTypeName.value(ini.value(key).toString(), 0);
        r.kindByExtension.insert(key, kind);
        const auto library = r.libraryByExtension.constFind(key);
        if (library != r.libraryByExtension.constEnd())
            r.libraryByType.insert(kind, *library);
    }
    ini.endGroup();

    ini.beginGroup(QStringLiteral("desc"));
    for (const QString &key : ini.childKeys())
        r.descriptionByExtension.insert(key, ini.value(key).toString());
    ini.endGroup();
    return r;
}

QString FileTypeRegistry::libraryForPath(const QString &path) const
{
    return libraryByExtension.value(lowerSuffix(path));
}

int FileTypeRegistry::kindForPath(const QString &path) const
{
    return kindByExtension.value(lowerSuffix(path), 0);
}

QString FileTypeRegistry::openFilter() const
{
    QStringList entries;
    for (auto it = libraryByExtension.constBegin(); it != libraryByExtension.constEnd(); ++it)
        entries << QStringLiteral("%1 (*.%2)").arg(descriptionByExtension.value(it.key()), it.key());
    return entries.join(QStringLiteral(";;"));
}

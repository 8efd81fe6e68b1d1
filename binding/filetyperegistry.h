#pragma once

#include <QMap>
#include <QString>

// Which parser library and file kind serve each file extension, as
// conf/Tavrin.ini below the program's folder says.
struct FileTypeRegistry
{
    QMap<QString, QString> libraryByExtension;
    QMap<QString, QString> descriptionByExtension;
    QMap<int, QString> libraryByType;
    QMap<QString, int> kindByExtension;

    // A missing file or group leaves the maps empty; nothing is reported.
    static FileTypeRegistry fromFile(const QString &iniPath);
    static QString defaultIniPath();

    // Lookups by the lower-case suffix of a path.
    QString libraryForPath(const QString &path) const;
    int kindForPath(const QString &path) const;
    // "Desc (*.ext)" entries for every extension with a library, joined by ";;".
    QString openFilter() const;
};

QString lowerSuffix(const QString &path);

#pragma once
// Where a program finds what ships with it, from its own folder alone: beside
// it in the build tree; in an installed tree (PREFIX/bin) the parser library
// and tavrin-lzma in PREFIX/lib/tavrin and conf/ in PREFIX/share/tavrin.
// Shared by the editor's binding and the parser library.

#include <QDir>
#include <QFileInfo>
#include <QString>

namespace tavrin {

inline QString installedLibraryDir(const QString &programDir)
{
    return QDir::cleanPath(programDir + QStringLiteral("/../lib/tavrin"));
}

inline QString installedDataDir(const QString &programDir)
{
    return QDir::cleanPath(programDir + QStringLiteral("/../share/tavrin"));
}

// A program in PREFIX/bin beside our own PREFIX/lib/tavrin and
// PREFIX/share/tavrin/conf. Whatever else stands in that bin/ (in /usr/bin,
// xz-utils' lzma) belongs to someone else. The build tree has neither folder.
inline bool isInstalledTree(const QString &programDir)
{
    return QFileInfo(programDir).fileName() == QLatin1String("bin")
        && QFileInfo(installedLibraryDir(programDir)).isDir()
        && QFileInfo(installedDataDir(programDir) + QStringLiteral("/conf/Tavrin.ini")).isFile();
}

// An installed program takes name from installedDir only. Elsewhere name
// beside the program when it is there, else name in installedDir; the first
// when neither exists, so that a failure names the build tree's place.
inline QString besideOrInstalled(const QString &programDir, const QString &name,
                                 const QString &installedDir)
{
    QString installed = installedDir + QLatin1Char('/') + name;
    if (isInstalledTree(programDir))
        return installed;
    QString beside = programDir + QLatin1Char('/') + name;
    if (QFileInfo::exists(beside))
        return beside;
    return QFileInfo::exists(installed) ? installed : beside;
}

} // namespace tavrin

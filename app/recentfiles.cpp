#include "recentfiles.h"

#include "usersettings.h"

#include <QFileInfo>

namespace {

const QString Key = QStringLiteral("recentFiles");

void store(const QStringList &files)
{
    UserSettings().setValue(Key, files);
}

} // namespace

namespace RecentFiles {

QStringList list()
{
    return UserSettings().value(Key).toStringList().mid(0, Limit);
}

void add(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = list();
    files.removeAll(absolute);
    files.prepend(absolute);
    store(files.mid(0, Limit));
}

void remove(const QString &path)
{
    QStringList files = list();
    files.removeAll(path);
    store(files);
}

} // namespace RecentFiles

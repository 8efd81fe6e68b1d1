#pragma once

#include <QStringList>

/** The last files opened or saved, newest first, kept in the per-user settings. */
namespace RecentFiles {

constexpr int Limit = 8;

QStringList list();
/** Puts path first, once, and drops what falls beyond the limit. */
void add(const QString &path);
void remove(const QString &path);

} // namespace RecentFiles

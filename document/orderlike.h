#pragma once
// Order Like…: the service order rearranged to follow a reference list.

#include "channeldatabase.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

/** One programme of the reference, by NAME and, where the reference has one, SID. */
struct ReferenceEntry
{
    QString name;
    QString sid; // empty when the reference has none
};

namespace OrderLike {

/** Whether a path is read as an exported JSON rather than as a list of names. */
bool isJsonPath(const QString &path);

/** The programmes of a loaded database, in its service order. */
QVector<ReferenceEntry> fromDatabase(const ChannelDatabase &database);
/** An exported JSON's programmes in service order; false with error when it is not one. */
bool fromJson(const QByteArray &bytes, QVector<ReferenceEntry> *entries, QString *error);
/** One name a line; blank lines are passed over. */
QVector<ReferenceEntry> fromText(const QByteArray &bytes);
QVector<ReferenceEntry> fromNames(const QStringList &names);

/** What ordering like a reference gives. */
struct Result
{
    QVector<quint32> order; // every programme id: the matched ones first, in the reference's order
    int matched = 0;
};

/**
 * Matches by NAME and SID first, then by NAME alone (case-insensitive,
 * trimmed); each reference entry takes the first programme not yet taken.
 */
Result arrange(const ChannelDatabase &database, const QVector<ReferenceEntry> &reference);

} // namespace OrderLike

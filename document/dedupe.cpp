// DocumentEdits' Find Duplicates and its Remove.

#include "documentedits.h"

#include "changefavourites.h"
#include "changehotkeys.h"
#include "removeprogrammes.h"

#include <QHash>

#include <algorithm>
#include <numeric>
#include <vector>

namespace {

const QString favField = QStringLiteral("FAV");

// A scan stores the frequency it found, which drifts by a unit or two.
constexpr qint64 FrequencyDrift = 2;

// What two programmes must share besides a near FRQ to be one service.
struct ServiceKey
{
    const DB_NS::SatNode *sat;
    QString polarisation;
    QString identity; // SID, or NAME where programmes have none
    qint64 frequency;
    QString frequencyText; // a FRQ that is no number matches itself only

    bool operator==(const ServiceKey &other) const
    {
        return sat == other.sat && frequency == other.frequency && identity == other.identity
            && polarisation == other.polarisation && frequencyText == other.frequencyText;
    }
};

uint qHash(const ServiceKey &key, uint seed = 0)
{
    return ::qHash(key.identity, seed) ^ ::qHash(key.frequency, seed) ^ ::qHash(key.sat, seed);
}

} // namespace

QVector<QVector<quint32>> DocumentEdits::findDuplicates() const
{
    QVector<QVector<quint32>> groups;
    const ChannelDatabase *db = m_document->database();
    if (!db)
        return groups;
    const QString identityField = m_document->fieldsOf(NodeKind::Programme).contains(QStringLiteral("SID"))
        ? QStringLiteral("SID")
        : QStringLiteral("NAME");
    // Each kept programme under its own FRQ; a later one looks for a kept
    // one within the drift on either side, so the scan stays linear. A group
    // is made only when a duplicate turns up.
    using Kept = QPair<const DB_NS::PGNode *, int>; // and its place in the service order
    QHash<ServiceKey, Kept> kept;
    kept.reserve(int(db->allPGs().size()));
    QHash<const DB_NS::PGNode *, int> groupOf;
    QVector<int> keptPlace;
    int place = -1;
    for (const DB_NS::PGNode *programme : db->allPGs()) {
        ++place;
        const DB_NS::TPNode *tp = programme->parent();
        if (!tp)
            continue;
        ServiceKey key{tp->parent(), tp->value(QStringLiteral("POL")).trimmed(),
                       programme->value(identityField).trimmed(), 0, QString()};
        bool numeric = false;
        const QString frequency = tp->value(QStringLiteral("FRQ")).trimmed();
        key.frequency = frequency.toLongLong(&numeric);
        if (!numeric)
            key.frequencyText = frequency;
        Kept original(nullptr, -1);
        const qint64 drift = numeric ? FrequencyDrift : 0;
        for (qint64 delta = -drift; delta <= drift && !original.first; ++delta) {
            ServiceKey near = key;
            near.frequency += delta;
            original = kept.value(near, original);
        }
        if (!original.first) {
            kept.insert(key, Kept(programme, place));
            continue;
        }
        auto group = groupOf.constFind(original.first);
        if (group == groupOf.constEnd()) {
            group = groupOf.insert(original.first, groups.size());
            groups.append(QVector<quint32>{original.first->id()});
            keptPlace.append(original.second);
        }
        groups[group.value()].append(programme->id());
    }
    // Groups in the service order of the programmes they keep.
    std::vector<int> byKept(std::size_t(groups.size()));
    std::iota(byKept.begin(), byKept.end(), 0);
    std::sort(byKept.begin(), byKept.end(), [&keptPlace](int a, int b) { return keptPlace.at(a) < keptPlace.at(b); });
    QVector<QVector<quint32>> ordered;
    ordered.reserve(groups.size());
    for (const int g : byKept)
        ordered.append(groups.at(g));
    return ordered;
}

EditValue<QString> DocumentEdits::removeDuplicates()
{
    const ChannelDatabase *db = m_document->database();
    if (!db)
        return EditOutcome::refusedWith();
    const QVector<QVector<quint32>> groups = findDuplicates();
    if (groups.isEmpty())
        return {EditOutcome(), tr("No duplicates found")};

    const QString text = tr("Remove Duplicates");
    QVector<quint32> removed;
    QHash<quint32, quint32> keptFor; // removed programme -> the one kept
    QVector<ChangeFavourites::Change> favourites;
    for (const QVector<quint32> &group : groups) {
        const DB_NS::PGNode *kept = db->findPG(group.first());
        const NodeAttribute *fav = kept->findAttribute(favField);
        quint32 mask = fav ? fav->value.trimmed().toUInt() : 0;
        for (int i = 1; i < group.size(); ++i) {
            removed.append(group.at(i));
            keptFor.insert(group.at(i), group.first());
            if (const NodeAttribute *theirs = db->findPG(group.at(i))->findAttribute(favField))
                mask |= theirs->value.trimmed().toUInt();
        }
        if (fav && QString::number(mask) != fav->value)
            favourites.append({kept->id(), fav->value, QString::number(mask)});
    }

    // A removed programme's key goes to the kept one unless that has a key
    // already; any other key on the removed ones is let go, as Delete does.
    QVector<HotKey> keys = m_document->hotKeys();
    QSet<quint32> keyed;
    for (const HotKey &key : qAsConst(keys))
        keyed.insert(key.pgId);
    bool keysChanged = false;
    for (HotKey &key : keys) {
        const auto kept = keptFor.constFind(key.pgId);
        if (key.pgId == DB_NS::NoId || kept == keptFor.constEnd())
            continue;
        keysChanged = true;
        const DB_NS::PGNode *heir = db->findPG(kept.value());
        if (!keyed.contains(heir->id()) && heir->parent() && heir->parent()->parent()) {
            keyed.insert(heir->id());
            key.pgId = heir->id();
            key.tpId = heir->parent()->id();
            key.satId = heir->parent()->parent()->id();
        } else {
            key.satId = key.tpId = key.pgId = DB_NS::NoId;
        }
    }

    auto *step = new QUndoCommand(text);
    if (!favourites.isEmpty())
        new ChangeFavourites(m_document, text, favourites, step);
    if (keysChanged)
        new ChangeHotKeys(m_document, text, keys, m_document->favHotKeys(), step);
    new RemoveProgrammes(m_document, text, removed, step);
    m_document->undoStack()->push(step);
    return {EditOutcome::pushedStep(), removed.size() == 1 ? tr("1 duplicate removed") : tr("%1 duplicates removed", nullptr, removed.size()).arg(removed.size())};
}

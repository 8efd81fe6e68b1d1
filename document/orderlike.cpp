#include "orderlike.h"

#include <QCoreApplication>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <algorithm>
#include <vector>

namespace {

const QString nameField = QStringLiteral("NAME");
const QString sidField = QStringLiteral("SID");

QString matchName(const QString &name)
{
    return name.trimmed().toCaseFolded();
}

// The programmes of each match key in service order, found through a table
// of key hashes sorted by hash and place: one block of memory rather than a
// heap node and a key copy per programme, which at 50,000 programmes left
// most look-ups waiting on memory. Keys of one hash are told apart by equal().
class Candidates
{
public:
    explicit Candidates(std::size_t count) { m_table.reserve(count); }
    void add(uint hash, int place) { m_table.push_back({hash, place}); }
    // After the last add().
    void seal()
    {
        std::sort(m_table.begin(), m_table.end());
        m_leadingTaken.assign(m_table.size(), 0);
    }
    // The first place of that key not taken yet, or -1; the caller takes it.
    template<typename Equal>
    int take(uint hash, const std::vector<bool> &taken, Equal equal)
    {
        const auto first = std::lower_bound(m_table.begin(), m_table.end(), Entry{hash, -1});
        if (first == m_table.end() || first->hash != hash)
            return -1;
        // The places of a run taken from its front are passed over once.
        int &leading = m_leadingTaken[std::size_t(first - m_table.begin())];
        bool front = true;
        for (auto it = first + leading; it != m_table.end() && it->hash == hash; ++it) {
            const bool gone = taken[std::size_t(it->place)];
            if (!gone && !equal(it->place)) {
                front = false;
                continue;
            }
            leading += front ? 1 : 0;
            if (!gone)
                return it->place;
        }
        return -1;
    }

private:
    struct Entry
    {
        uint hash;
        int place;
        bool operator<(const Entry &other) const
        {
            return hash != other.hash ? hash < other.hash : place < other.place;
        }
    };
    std::vector<Entry> m_table;
    std::vector<int> m_leadingTaken;
};

// NAME and SID together. A name often ends in a number close to its SID;
// the name's hash is mixed before the SID's goes in, so that two related
// texts do not leave their keys close together.
uint pairHash(uint nameHash, const QString &sid)
{
    return (nameHash * 0x9E3779B1u) ^ qHash(sid);
}

} // namespace

namespace OrderLike {

bool isJsonPath(const QString &path)
{
    return path.endsWith(QLatin1String(".json"), Qt::CaseInsensitive);
}

QVector<ReferenceEntry> fromDatabase(const ChannelDatabase &database)
{
    QVector<ReferenceEntry> entries;
    entries.reserve(int(database.allPGs().size()));
    for (const DB_NS::PGNode *programme : database.allPGs())
        entries.append({programme->value(nameField), programme->value(sidField)});
    return entries;
}

bool fromJson(const QByteArray &bytes, QVector<ReferenceEntry> *entries, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument json = QJsonDocument::fromJson(bytes, &parseError);
    const QJsonValue programmes = json.object().value(QStringLiteral("programmes"));
    if (parseError.error != QJsonParseError::NoError || !programmes.isArray()) {
        *error = parseError.error != QJsonParseError::NoError
            ? QCoreApplication::translate("OrderLike", "offset %1: %2").arg(parseError.offset).arg(parseError.errorString())
            : QCoreApplication::translate("OrderLike", "no list of programmes");
        return false;
    }
    // An export lists programmes under their TPs; a dump's "default_order"
    // gives the service order, as it does when the file loads.
    struct Listed
    {
        ReferenceEntry entry;
        qint64 order = 0;
    };
    std::vector<Listed> listed;
    bool ordered = true;
    for (const QJsonValue programme : programmes.toArray()) {
        Listed one;
        bool hasOrder = false;
        for (const QJsonValue pair : programme.toObject().value(QStringLiteral("values")).toArray()) {
            const QString field = pair.toArray().at(0).toString();
            const QString text = pair.toArray().at(1).toString();
            if (field == nameField)
                one.entry.name = text;
            else if (field == sidField)
                one.entry.sid = text;
            else if (field == QLatin1String("default_order"))
                one.order = text.toLongLong(&hasOrder);
        }
        ordered = ordered && hasOrder;
        listed.push_back(std::move(one));
    }
    if (ordered)
        std::stable_sort(listed.begin(), listed.end(), [](const Listed &a, const Listed &b) { return a.order < b.order; });
    entries->clear();
    entries->reserve(int(listed.size()));
    for (Listed &one : listed)
        entries->append(std::move(one.entry));
    return true;
}

QVector<ReferenceEntry> fromText(const QByteArray &bytes)
{
    QStringList names;
    for (const QString &line : QString::fromUtf8(bytes).split(QLatin1Char('\n')))
        names.append(line);
    return fromNames(names);
}

QVector<ReferenceEntry> fromNames(const QStringList &names)
{
    QVector<ReferenceEntry> entries;
    for (const QString &name : names) {
        if (!name.trimmed().isEmpty())
            entries.append({name.trimmed(), QString()});
    }
    return entries;
}

Result arrange(const ChannelDatabase &database, const QVector<ReferenceEntry> &reference)
{
    std::vector<const DB_NS::PGNode *> programmes(database.allPGs().begin(), database.allPGs().end());
    const std::size_t count = programmes.size();
    std::vector<QString> names(count);
    std::vector<QString> sids(count);
    Candidates byName(count);
    Candidates byNameAndSid(count);
    for (std::size_t place = 0; place < count; ++place) {
        const DB_NS::PGNode *programme = programmes[place];
        names[place] = matchName(programme->value(nameField));
        const uint nameHash = qHash(names[place]);
        byName.add(nameHash, int(place));
        if (const NodeAttribute *sid = programme->findAttribute(sidField)) {
            sids[place] = sid->value.trimmed();
            byNameAndSid.add(pairHash(nameHash, sids[place]), int(place));
        }
    }
    byName.seal();
    byNameAndSid.seal();
    // An entry first looks for its own SID everywhere, so that a NAME-only
    // match of an earlier entry does not take the programme it names exactly.
    std::vector<bool> taken(count, false);
    std::vector<int> choice(std::size_t(reference.size()), -1);
    std::vector<QString> wanted(std::size_t(reference.size()));
    std::vector<uint> wantedHash(std::size_t(reference.size()));
    for (int i = 0; i < reference.size(); ++i) {
        const std::size_t at = std::size_t(i);
        wanted[at] = matchName(reference.at(i).name);
        wantedHash[at] = qHash(wanted[at]);
        const QString sid = reference.at(i).sid.trimmed();
        if (sid.isEmpty())
            continue;
        const QString &name = wanted[at];
        const int place = byNameAndSid.take(pairHash(wantedHash[at], sid), taken, [&](int p) {
            return sids[std::size_t(p)] == sid && names[std::size_t(p)] == name;
        });
        if (place >= 0) {
            taken[std::size_t(place)] = true;
            choice[at] = place;
        }
    }
    for (int i = 0; i < reference.size(); ++i) {
        const std::size_t at = std::size_t(i);
        if (choice[at] >= 0)
            continue;
        const QString &name = wanted[at];
        const int place = byName.take(wantedHash[at], taken, [&](int p) { return names[std::size_t(p)] == name; });
        if (place >= 0) {
            taken[std::size_t(place)] = true;
            choice[at] = place;
        }
    }

    Result result;
    result.order.reserve(int(count));
    for (const int place : choice) {
        if (place >= 0)
            result.order.append(programmes[std::size_t(place)]->id());
    }
    result.matched = result.order.size();
    for (std::size_t place = 0; place < count; ++place) {
        if (!taken[place])
            result.order.append(programmes[place]->id());
    }
    return result;
}

} // namespace OrderLike

#include "orderlike.h"

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

// NAME and SID together. A name often ends in a number close to its SID, and
// Qt's pair hash only xors the two strings' hashes, which then cancel out
// into a few long chains; mixing the first one keeps the keys apart.
struct NameAndSid
{
    QString name;
    QString sid;
    bool operator==(const NameAndSid &other) const { return name == other.name && sid == other.sid; }
};

uint qHash(const NameAndSid &key, uint seed = 0)
{
    return (qHash(key.name, seed) * 0x9E3779B1u) ^ qHash(key.sid, seed);
}

// The programmes of each match key in service order, as chains through one
// array; a key's head passes those already taken, so every chain is walked
// once however often it is asked.
template<typename Key>
class Candidates
{
public:
    explicit Candidates(int count)
        : m_next(std::size_t(count), -1)
    {
        m_head.reserve(count);
    }
    // Called for the places from last to first.
    void addInFront(const Key &key, int place)
    {
        int &head = m_head[key];
        m_next[std::size_t(place)] = head - 1;
        head = place + 1; // 0: no chain yet
    }
    int take(const Key &key, const std::vector<bool> &taken)
    {
        const auto it = m_head.find(key);
        if (it == m_head.end())
            return -1;
        int place = it.value() - 1;
        while (place >= 0 && taken[std::size_t(place)])
            place = m_next[std::size_t(place)];
        it.value() = place >= 0 ? m_next[std::size_t(place)] + 1 : 0;
        return place;
    }

private:
    QHash<Key, int> m_head;
    std::vector<int> m_next;
};

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
            ? QStringLiteral("offset %1: %2").arg(parseError.offset).arg(parseError.errorString())
            : QStringLiteral("no list of programmes");
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
    const int count = int(programmes.size());
    Candidates<QString> byName(count);
    Candidates<NameAndSid> byNameAndSid(count);
    for (int place = count - 1; place >= 0; --place) {
        const DB_NS::PGNode *programme = programmes[std::size_t(place)];
        const QString name = matchName(programme->value(nameField));
        byName.addInFront(name, place);
        if (const NodeAttribute *sid = programme->findAttribute(sidField))
            byNameAndSid.addInFront({name, sid->value.trimmed()}, place);
    }
    // An entry first looks for its own SID everywhere, so that a NAME-only
    // match of an earlier entry does not take the programme it names exactly.
    std::vector<bool> taken(programmes.size(), false);
    std::vector<int> choice(std::size_t(reference.size()), -1);
    for (int i = 0; i < reference.size(); ++i) {
        const ReferenceEntry &entry = reference.at(i);
        if (entry.sid.trimmed().isEmpty())
            continue;
        const int place = byNameAndSid.take({matchName(entry.name), entry.sid.trimmed()}, taken);
        if (place >= 0) {
            taken[std::size_t(place)] = true;
            choice[std::size_t(i)] = place;
        }
    }
    for (int i = 0; i < reference.size(); ++i) {
        if (choice[std::size_t(i)] >= 0)
            continue;
        const int place = byName.take(matchName(reference.at(i).name), taken);
        if (place >= 0) {
            taken[std::size_t(place)] = true;
            choice[std::size_t(i)] = place;
        }
    }

    Result result;
    result.order.reserve(int(programmes.size()));
    for (const int place : choice) {
        if (place >= 0)
            result.order.append(programmes[std::size_t(place)]->id());
    }
    result.matched = result.order.size();
    for (std::size_t place = 0; place < programmes.size(); ++place) {
        if (!taken[place])
            result.order.append(programmes[place]->id());
    }
    return result;
}

} // namespace OrderLike

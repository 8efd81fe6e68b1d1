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

// The programmes of one match key in service order; the cursor passes those
// already taken, so every queue is walked once however often it is asked.
struct Candidates
{
    QVector<int> places;
    int next = 0;

    int take(const std::vector<bool> &taken)
    {
        while (next < places.size() && taken[std::size_t(places.at(next))])
            ++next;
        return next < places.size() ? places.at(next++) : -1;
    }
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
    QHash<QString, Candidates> byName;
    QHash<QString, Candidates> byNameAndSid;
    for (int place = 0; place < int(programmes.size()); ++place) {
        const DB_NS::PGNode *programme = programmes[std::size_t(place)];
        const QString name = matchName(programme->value(nameField));
        byName[name].places.append(place);
        const NodeAttribute *sid = programme->findAttribute(sidField);
        if (sid)
            byNameAndSid[name + QChar(0) + sid->value.trimmed()].places.append(place);
    }
    // An entry first looks for its own SID everywhere, so that a NAME-only
    // match of an earlier entry does not take the programme it names exactly.
    std::vector<bool> taken(programmes.size(), false);
    std::vector<int> choice(std::size_t(reference.size()), -1);
    for (int i = 0; i < reference.size(); ++i) {
        const ReferenceEntry &entry = reference.at(i);
        if (entry.sid.trimmed().isEmpty())
            continue;
        const auto it = byNameAndSid.find(matchName(entry.name) + QChar(0) + entry.sid.trimmed());
        if (it == byNameAndSid.end())
            continue;
        const int place = it->take(taken);
        if (place >= 0) {
            taken[std::size_t(place)] = true;
            choice[std::size_t(i)] = place;
        }
    }
    for (int i = 0; i < reference.size(); ++i) {
        if (choice[std::size_t(i)] >= 0)
            continue;
        const auto it = byName.find(matchName(reference.at(i).name));
        if (it == byName.end())
            continue;
        const int place = it->take(taken);
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

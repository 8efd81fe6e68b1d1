#include "jsonimport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <vector>

namespace {

bool readId(const QJsonValue &v, quint32 *out)
{
    if (!v.isDouble())
        return false;
    const double d = v.toDouble();
    if (d < 0 || d > 4294967295.0 || d != double(qint64(d)))
        return false;
    *out = quint32(qint64(d));
    return true;
}

template<typename NodeT>
bool readNodes(const QJsonObject &root, const QString &key, std::vector<std::unique_ptr<NodeT>> &nodes,
               QString *error)
{
    const QJsonValue listValue = root.value(key);
    if (listValue.isUndefined())
        return true;
    if (!listValue.isArray()) {
        *error = QStringLiteral("'%1' must be an array").arg(key);
        return false;
    }
    const QJsonArray list = listValue.toArray();
    QSet<quint32> seen;
    seen.reserve(list.size());
    nodes.reserve(size_t(list.size()));
    for (int i = 0; i < list.size(); ++i) {
        const QString where = QStringLiteral("%1[%2]").arg(key).arg(i);
        if (!list.at(i).isObject()) {
            *error = where + QStringLiteral(": must be an object");
            return false;
        }
        const QJsonObject record = list.at(i).toObject();
        quint32 id = 0, parentId = 0;
        if (!readId(record.value(QStringLiteral("id")), &id)) {
            *error = where + QStringLiteral(": 'id' must be a number from 0 to 4294967295");
            return false;
        }
        if (!readId(record.value(QStringLiteral("parentId")), &parentId)) {
            *error = where + QStringLiteral(": 'parentId' must be a number from 0 to 4294967295");
            return false;
        }
        if (seen.contains(id)) {
            *error = where + QStringLiteral(": id %1 is used twice").arg(id);
            return false;
        }
        seen.insert(id);
        const QJsonValue values = record.value(QStringLiteral("values"));
        if (!values.isArray()) {
            *error = where + QStringLiteral(": 'values' must be an array of [name, text] pairs");
            return false;
        }
        auto node = std::make_unique<NodeT>(id);
        node->setParentId(parentId);
        const QJsonArray pairs = values.toArray();
        for (int j = 0; j < pairs.size(); ++j) {
            const QJsonArray pair = pairs.at(j).toArray();
            if (!pairs.at(j).isArray() || pair.size() != 2 || !pair.at(0).isString() || !pair.at(1).isString()) {
                *error = where + QStringLiteral(".values[%1]: must be a [name, text] pair of strings").arg(j);
                return false;
            }
            node->addAttribute(pair.at(0).toString(), pair.at(1).toString());
        }
        nodes.push_back(std::move(node));
    }
    return true;
}

// Every record's parent must be among the records of the kind above, or the
// database would drop it without a word.
template<typename ChildT, typename ParentT>
bool checkParents(const std::vector<std::unique_ptr<ChildT>> &children, const QString &key,
                  const std::vector<std::unique_ptr<ParentT>> &parents, const QString &parentKey,
                  QString *error)
{
    QSet<quint32> parentIds;
    parentIds.reserve(int(parents.size()));
    for (const auto &p : parents)
        parentIds.insert(p->id());
    for (size_t i = 0; i < children.size(); ++i) {
        if (!parentIds.contains(children[i]->getParentId())) {
            *error = QStringLiteral("%1[%2]: parentId %3 names no record of '%4'")
                         .arg(key)
                         .arg(i)
                         .arg(children[i]->getParentId())
                         .arg(parentKey);
            return false;
        }
    }
    return true;
}

} // namespace

bool documentFromJson(const QByteArray &json, ImportedDocument &out, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *error = QStringLiteral("malformed JSON at offset %1: %2").arg(parseError.offset).arg(parseError.errorString());
        return false;
    }
    if (!doc.isObject()) {
        *error = QStringLiteral("the JSON document must be an object");
        return false;
    }
    const QJsonObject root = doc.object();

    std::vector<std::unique_ptr<DB_NS::SatNode>> sats;
    std::vector<std::unique_ptr<DB_NS::TPNode>> tps;
    std::vector<std::unique_ptr<DB_NS::PGNode>> pgs;
    if (!readNodes(root, QStringLiteral("satellites"), sats, error)
        || !readNodes(root, QStringLiteral("transponders"), tps, error)
        || !readNodes(root, QStringLiteral("programmes"), pgs, error))
        return false;
    if (!checkParents(tps, QStringLiteral("transponders"), sats, QStringLiteral("satellites"), error)
        || !checkParents(pgs, QStringLiteral("programmes"), tps, QStringLiteral("transponders"), error))
        return false;

    std::optional<QStringList> favourites;
    const QJsonValue favValue = root.value(QStringLiteral("favourites"));
    if (!favValue.isUndefined()) {
        if (!favValue.isArray()) {
            *error = QStringLiteral("'favourites' must be an array of strings");
            return false;
        }
        QStringList names;
        const QJsonArray favArray = favValue.toArray();
        for (int i = 0; i < favArray.size(); ++i) {
            if (!favArray.at(i).isString()) {
                *error = QStringLiteral("favourites[%1]: must be a string").arg(i);
                return false;
            }
            names << favArray.at(i).toString();
        }
        favourites = names;
    }

    out.database = ChannelDatabase::build(std::move(sats), std::move(tps), std::move(pgs));
    out.favourites = favourites;
    return true;
}

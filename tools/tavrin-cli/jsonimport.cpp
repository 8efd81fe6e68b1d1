#include "jsonimport.h"

#include "jsoncursor.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <string_view>
#include <unordered_map>
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

// Field names in the quick reader: each spelling is read once, and names that
// differ only in the case of a-z share a fold number, so a record finds a
// repeated name by a stamp instead of comparing it with all the others.
class NameTable
{
public:
    struct Name
    {
        QString text;
        int fold;
    };

    const Name &at(int position, std::string_view raw, bool escaped)
    {
        if (size_t(position) < m_lastAt.size() && m_lastAt[size_t(position)].first == raw)
            return m_names[size_t(m_lastAt[size_t(position)].second)];
        auto found = m_index.find(raw);
        if (found == m_index.end()) {
            const QString text = JsonCursor::textOf(raw, escaped);
            QString folded = text;
            for (QChar &c : folded) {
                if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
                    c = QChar(c.unicode() - ('a' - 'A'));
            }
            const int fold = m_folds.insert(folded, m_folds.value(folded, m_folds.size())).value();
            found = m_index.emplace(raw, int(m_names.size())).first;
            m_names.push_back(Name{text, fold});
        }
        if (size_t(position) < 512) { // far more fields than any configuration has
            if (size_t(position) >= m_lastAt.size())
                m_lastAt.resize(size_t(position) + 1);
            m_lastAt[size_t(position)] = {raw, found->second};
        }
        return m_names[size_t(found->second)];
    }
    int foldCount() const { return m_folds.size(); }

private:
    std::vector<std::pair<std::string_view, int>> m_lastAt;
    std::unordered_map<std::string_view, int> m_index;
    std::vector<Name> m_names;
    QHash<QString, int> m_folds;
};

// Values repeat by field ("No", "TV", "0"): each field position shares one
// text per spelling until it has seen so many that its values are taken to be
// unique (names, ids); those are read each time.
class ValueTable
{
public:
    QString at(int position, std::string_view raw, bool escaped)
    {
        if (size_t(position) >= 512)
            return JsonCursor::textOf(raw, escaped);
        if (size_t(position) >= m_fields.size())
            m_fields.resize(size_t(position) + 1);
        Field &field = m_fields[size_t(position)];
        if (field.unique)
            return JsonCursor::textOf(raw, escaped);
        auto found = field.texts.find(raw);
        if (found == field.texts.end()) {
            found = field.texts.emplace(raw, JsonCursor::textOf(raw, escaped)).first;
            field.unique = field.texts.size() >= 256;
        }
        return found->second;
    }

private:
    struct Field
    {
        std::unordered_map<std::string_view, QString> texts;
        bool unique = false;
    };
    std::vector<Field> m_fields;
};

// One list of the quick reader. A record that breaks the rules sets error and
// stops the building, but the rest of the list is still read, since a syntax
// error further on is reported before it. A read returns false where the text
// has to go to QJsonDocument.
template<typename NodeT>
class QuickList
{
public:
    QuickList(QString key, NameTable &names)
        : m_key(std::move(key)), m_names(names) {}

    bool read(JsonCursor &in)
    {
        if (in.peek() != '[') {
            error = QStringLiteral("'%1' must be an array").arg(m_key);
            return in.skip();
        }
        in.take('[');
        if (in.take(']'))
            return true;
        int i = 0;
        do {
            if (!(error.isEmpty() ? readRecord(in, i++) : in.skip()))
                return false;
        } while (in.take(','));
        return in.take(']');
    }

    QString error;
    std::vector<std::unique_ptr<NodeT>> nodes;

private:
    struct Id
    {
        bool valid = false;
        quint32 value = 0;
    };

    bool readId(JsonCursor &in, Id *id)
    {
        const char c = in.peek();
        if (c != '-' && (c < '0' || c > '9'))
            return in.skip();
        qint64 v = 0;
        if (!in.integer(&v))
            return false;
        id->valid = v >= 0 && v <= 0xFFFFFFFFLL;
        id->value = quint32(v);
        return true;
    }

    bool readRecord(JsonCursor &in, int index)
    {
        const QString where = QStringLiteral("%1[%2]").arg(m_key).arg(index);
        if (in.peek() != '{') {
            error = where + QStringLiteral(": must be an object");
            return in.skip();
        }
        in.take('{');
        auto node = std::make_unique<NodeT>();
        node->reserveAttributes(m_lastCount);
        Id id, parentId;
        bool valuesArray = false;
        int badPair = -1;
        unsigned keysSeen = 0;
        if (!in.take('}')) {
            do {
                std::string_view key;
                bool escaped = false;
                if (!in.string(&key, &escaped) || escaped || !in.take(':'))
                    return false;
                const unsigned bit = key == "id" ? 1u : key == "parentId" ? 2u
                    : key == "values"                                     ? 4u
                                                                          : 0u;
                if (keysSeen & bit)
                    return false;
                keysSeen |= bit;
                bool ok = true;
                if (bit == 1u)
                    ok = readId(in, &id);
                else if (bit == 2u)
                    ok = readId(in, &parentId);
                else if (bit == 4u && in.peek() == '[')
                    ok = valuesArray = readValues(in, *node, &badPair);
                else
                    ok = in.skip();
                if (!ok)
                    return false;
            } while (in.take(','));
            if (!in.take('}'))
                return false;
        }
        if (!id.valid)
            error = where + QStringLiteral(": 'id' must be a number from 0 to 4294967295");
        else if (!parentId.valid)
            error = where + QStringLiteral(": 'parentId' must be a number from 0 to 4294967295");
        else if (m_seen.contains(id.value))
            error = where + QStringLiteral(": id %1 is used twice").arg(id.value);
        else if (!valuesArray)
            error = where + QStringLiteral(": 'values' must be an array of [name, text] pairs");
        else if (badPair >= 0)
            error = where + QStringLiteral(".values[%1]: must be a [name, text] pair of strings").arg(badPair);
        if (!error.isEmpty())
            return true;
        m_seen.insert(id.value);
        node->setId(id.value);
        node->setParentId(parentId.value);
        m_lastCount = node->attributes().size();
        nodes.push_back(std::move(node));
        return true;
    }

    bool readValues(JsonCursor &in, NodeT &node, int *badPair)
    {
        in.take('[');
        if (in.take(']'))
            return true;
        ++m_record;
        int j = 0;
        do {
            if (!(*badPair < 0 ? readPair(in, node, j, badPair) : in.skip()))
                return false;
            ++j;
        } while (in.take(','));
        return in.take(']');
    }

    bool readPair(JsonCursor &in, NodeT &node, int j, int *badPair)
    {
        if (in.peek() != '[') {
            *badPair = j;
            return in.skip();
        }
        in.take('[');
        std::string_view parts[2];
        bool escaped[2] = {false, false};
        int n = 0;
        bool strings = true;
        if (!in.take(']')) {
            do {
                const bool isString = n < 2 && in.peek() == '"';
                if (!(isString ? in.string(&parts[n], &escaped[n]) : in.skip()))
                    return false;
                strings = strings && isString;
                ++n;
            } while (in.take(','));
            if (!in.take(']'))
                return false;
        }
        if (n != 2 || !strings) {
            *badPair = j;
            return true;
        }
        const NameTable::Name &name = m_names.at(j, parts[0], escaped[0]);
        if (size_t(name.fold) >= m_stamps.size())
            m_stamps.resize(size_t(m_names.foldCount()));
        // A name given twice keeps its first value, as Node::addAttribute does.
        if (m_stamps[size_t(name.fold)] == m_record)
            return true;
        m_stamps[size_t(name.fold)] = m_record;
        node.appendNewAttribute(name.text, m_values.at(j, parts[1], escaped[1]));
        return true;
    }

    QString m_key;
    NameTable &m_names;
    ValueTable m_values;
    QSet<quint32> m_seen;
    std::vector<quint32> m_stamps; // by fold: the record that last had the name
    quint32 m_record = 0;
    int m_lastCount = 0;
};

// The favourite names; like a list, a wrong element sets error and the rest is read.
bool readFavourites(JsonCursor &in, QStringList *names, QString *error)
{
    if (in.peek() != '[') {
        *error = QStringLiteral("'favourites' must be an array of strings");
        return in.skip();
    }
    in.take('[');
    if (in.take(']'))
        return true;
    int i = 0;
    do {
        if (error->isEmpty() && in.peek() == '"') {
            std::string_view raw;
            bool escaped = false;
            if (!in.string(&raw, &escaped))
                return false;
            *names << JsonCursor::textOf(raw, escaped);
        } else {
            if (error->isEmpty())
                *error = QStringLiteral("favourites[%1]: must be a string").arg(i);
            if (!in.skip())
                return false;
        }
        ++i;
    } while (in.take(','));
    return in.take(']');
}

} // namespace

bool documentFromJsonTree(const QByteArray &json, ImportedDocument &out, QString *error)
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

QuickRead quickDocumentFromJson(const QByteArray &json, ImportedDocument &out, QString *error)
{
    JsonCursor in(json.constData(), json.constData() + json.size());
    if (!in.take('{'))
        return QuickRead::NotRead;
    NameTable names;
    QuickList<DB_NS::SatNode> sats(QStringLiteral("satellites"), names);
    QuickList<DB_NS::TPNode> tps(QStringLiteral("transponders"), names);
    QuickList<DB_NS::PGNode> pgs(QStringLiteral("programmes"), names);
    std::optional<QStringList> favourites;
    QString favouritesError;
    unsigned keysSeen = 0;
    if (!in.take('}')) {
        do {
            std::string_view key;
            bool escaped = false;
            if (!in.string(&key, &escaped) || escaped || !in.take(':'))
                return QuickRead::NotRead;
            const unsigned bit = key == "satellites" ? 1u
                : key == "transponders"              ? 2u
                : key == "programmes"                ? 4u
                : key == "favourites"                ? 8u
                                                     : 0u;
            if (keysSeen & bit)
                return QuickRead::NotRead;
            keysSeen |= bit;
            bool ok = true;
            if (bit == 1u)
                ok = sats.read(in);
            else if (bit == 2u)
                ok = tps.read(in);
            else if (bit == 4u)
                ok = pgs.read(in);
            else if (bit == 8u)
                ok = readFavourites(in, &favourites.emplace(), &favouritesError);
            else
                ok = in.skip();
            if (!ok)
                return QuickRead::NotRead;
        } while (in.take(','));
        if (!in.take('}'))
            return QuickRead::NotRead;
    }
    if (!in.atEnd())
        return QuickRead::NotRead;

    for (const QString *listError : {&sats.error, &tps.error, &pgs.error}) {
        if (!listError->isEmpty()) {
            *error = *listError;
            return QuickRead::Refused;
        }
    }
    if (!checkParents(tps.nodes, QStringLiteral("transponders"), sats.nodes, QStringLiteral("satellites"), error)
        || !checkParents(pgs.nodes, QStringLiteral("programmes"), tps.nodes, QStringLiteral("transponders"), error))
        return QuickRead::Refused;
    if (!favouritesError.isEmpty()) {
        *error = favouritesError;
        return QuickRead::Refused;
    }
    out.database = ChannelDatabase::build(std::move(sats.nodes), std::move(tps.nodes), std::move(pgs.nodes));
    out.favourites = favourites;
    return QuickRead::Built;
}

bool documentFromJson(const QByteArray &json, ImportedDocument &out, QString *error)
{
    switch (quickDocumentFromJson(json, out, error)) {
    case QuickRead::Built:
        return true;
    case QuickRead::Refused:
        return false;
    case QuickRead::NotRead:
        break;
    }
    return documentFromJsonTree(json, out, error);
}

#include "jsonexport.h"

#include "recordconversion.h"
#include "serviceorder.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

using DefaultOrders = QHash<const DB_NS::PGNode *, int>;

// "default_order" as the save of kind would write it: renumbered from the
// service order once a dump was reordered, so that importing the JSON keeps
// the order. Empty when the stored values are written as they are.
DefaultOrders writtenDefaultOrders(const ChannelDatabase *db, int kind)
{
    return db && ServiceOrder::renumbersOnSave(*db, kind) ? ServiceOrder::positions(*db) : DefaultOrders();
}

// A value's text as written; orders is null for satellites and TPs.
QString valueText(const DB_NS::Node &node, const NodeAttribute &attribute, const DefaultOrders *orders)
{
    if (!orders || orders->isEmpty() || !NodeAttribute::namesEqual(attribute.name, DefaultOrderField))
        return attribute.value;
    const auto it = orders->constFind(static_cast<const DB_NS::PGNode *>(&node));
    return it == orders->constEnd() ? attribute.value : QString::number(it.value());
}

} // namespace

static QJsonArray templatesToJson(const TemplateVector &templates)
{
    QJsonArray array;
    for (const TemplateField &f : templates) {
        array.append(QJsonObject{
            {QStringLiteral("name"), f.name},
            {QStringLiteral("default"), f.defaultText},
            {QStringLiteral("open"), f.open},
            {QStringLiteral("readOnly"), f.readOnly},
            {QStringLiteral("editHidden"), f.editHidden},
            {QStringLiteral("duplicateCheck"), f.duplicateCheck},
            {QStringLiteral("editorSpec"), f.editorSpec.isEmpty() ? QJsonValue() : QJsonValue(f.editorSpec)},
        });
    }
    return array;
}

static QJsonObject nodeToJson(const DB_NS::Node &node, const DefaultOrders *orders = nullptr)
{
    QJsonArray values;
    for (const NodeAttribute &a : node.attributes())
        values.append(QJsonArray{a.name, valueText(node, a, orders)});
    return QJsonObject{
        {QStringLiteral("id"), qint64(node.id())},
        {QStringLiteral("parentId"), qint64(node.getParentId())},
        {QStringLiteral("values"), values},
    };
}

// Everything but the node lists, which documentToJson() and documentJsonText() add.
static QJsonObject documentHead(const DocumentData &doc, int kind)
{
    return QJsonObject{
        {QStringLiteral("kind"), kind},
        {QStringLiteral("satMaxNum"), doc.satMaxNum},
        {QStringLiteral("favourites"), QJsonArray::fromStringList(doc.favouriteNames)},
        {QStringLiteral("templates"),
         QJsonObject{
             {QStringLiteral("satellite"), templatesToJson(doc.satTemplate)},
             {QStringLiteral("transponder"), templatesToJson(doc.tpTemplate)},
             {QStringLiteral("programme"), templatesToJson(doc.pgTemplate)},
         }},
    };
}

QJsonObject documentToJson(const DocumentData &doc, int kind)
{
    QJsonArray sats, tps, pgs;
    const DefaultOrders orders = writtenDefaultOrders(doc.database.get(), kind);
    if (doc.database) {
        // Programmes in the order a save writes them: under their TPs.
        for (const DB_NS::SatNode *sat : doc.database->sats()) {
            sats.append(nodeToJson(*sat));
            for (const DB_NS::TPNode *tp : sat->tps()) {
                tps.append(nodeToJson(*tp));
                for (const DB_NS::PGNode *pg : tp->pgs())
                    pgs.append(nodeToJson(*pg, &orders));
            }
        }
    }
    QJsonObject json = documentHead(doc, kind);
    json.insert(QStringLiteral("satellites"), sats);
    json.insert(QStringLiteral("transponders"), tps);
    json.insert(QStringLiteral("programmes"), pgs);
    return json;
}

namespace {

// Writes JSON text as QJsonDocument's indented form does: four spaces a level.
class NodeListWriter
{
public:
    explicit NodeListWriter(QByteArray &out)
        : m_out(out) {}

    // The list as the value of a key of the top-level object; orders for programmes only.
    template<typename Nodes>
    void list(const Nodes &nodes, const DefaultOrders *orders = nullptr)
    {
        m_out += "[\n";
        bool first = true;
        for (const DB_NS::Node *node : nodes) {
            if (!first)
                m_out += ",\n";
            first = false;
            write(*node, orders);
        }
        if (!first)
            m_out += '\n';
        m_out += "    ]";
    }

private:
    void write(const DB_NS::Node &node, const DefaultOrders *orders)
    {
        m_out += "        {\n            \"id\": ";
        m_out += QByteArray::number(qint64(node.id()));
        m_out += ",\n            \"parentId\": ";
        m_out += QByteArray::number(qint64(node.getParentId()));
        m_out += ",\n            \"values\": [\n";
        const auto &attributes = node.attributes();
        for (int i = 0; i < attributes.size(); ++i) {
            m_out += "                [\n                    ";
            string(attributes.at(i).name);
            m_out += ",\n                    ";
            string(valueText(node, attributes.at(i), orders));
            m_out += i + 1 < attributes.size() ? "\n                ],\n" : "\n                ]\n";
        }
        m_out += "            ]\n        }";
    }

    // Plain printable ASCII goes out as it is; anything else is escaped by Qt itself.
    void string(const QString &text)
    {
        const QChar *units = text.constData();
        const int size = text.size();
        bool plain = true;
        for (int i = 0; i < size && plain; ++i) {
            const ushort u = units[i].unicode();
            plain = u >= 0x20 && u < 0x7f && u != '"' && u != '\\';
        }
        if (plain) {
            m_out += '"';
            const int at = m_out.size();
            m_out.resize(at + size);
            for (int i = 0; i < size; ++i)
                m_out[at + i] = char(units[i].unicode());
            m_out += '"';
            return;
        }
        const QByteArray escaped = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
        m_out += escaped.mid(1, escaped.size() - 2);
    }

    QByteArray &m_out;
};

// The node lists in the order a save writes them: programmes under their TPs.
struct NodeLists
{
    std::vector<const DB_NS::Node *> sats, tps, pgs;

    explicit NodeLists(const ChannelDatabase *db)
    {
        if (!db)
            return;
        for (const DB_NS::SatNode *sat : db->sats()) {
            sats.push_back(sat);
            for (const DB_NS::TPNode *tp : sat->tps()) {
                tps.push_back(tp);
                for (const DB_NS::PGNode *pg : tp->pgs())
                    pgs.push_back(pg);
            }
        }
    }
};

} // namespace

QByteArray documentJsonText(const DocumentData &doc, int kind)
{
    // The head goes through Qt with null lists; each null is then replaced by
    // its list. The keys sit at the first level, where no string can break a line.
    QJsonObject head = documentHead(doc, kind);
    const char *const keys[] = {"programmes", "satellites", "transponders"};
    for (const char *key : keys)
        head.insert(QLatin1String(key), QJsonValue());
    const QByteArray text = QJsonDocument(head).toJson(QJsonDocument::Indented);

    const NodeLists lists(doc.database.get());
    const DefaultOrders orders = writtenDefaultOrders(doc.database.get(), kind);
    const std::vector<const DB_NS::Node *> *values[] = {&lists.pgs, &lists.sats, &lists.tps};
    QByteArray out;
    out.reserve(text.size() + int(std::min<size_t>(lists.pgs.size() * 900 + lists.tps.size() * 600, 1u << 30)));
    NodeListWriter writer(out);
    int from = 0;
    for (int k = 0; k < 3; ++k) {
        const QByteArray marker = QByteArray("\n    \"") + keys[k] + "\": null";
        const int at = text.indexOf(marker, from);
        Q_ASSERT(at >= 0);
        out += text.mid(from, at + marker.size() - 4 - from);
        writer.list(*values[k], values[k] == &lists.pgs ? &orders : nullptr);
        from = at + marker.size();
    }
    out += text.mid(from);
    return out;
}

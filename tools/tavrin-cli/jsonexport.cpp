#include "jsonexport.h"

#include <QJsonArray>

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

static QJsonObject nodeToJson(const DB_NS::Node &node)
{
    QJsonArray values;
    for (const NodeAttribute &a : node.attributes())
        values.append(QJsonArray{a.name, a.value});
    return QJsonObject{
        {QStringLiteral("id"), qint64(node.id())},
        {QStringLiteral("parentId"), qint64(node.getParentId())},
        {QStringLiteral("values"), values},
    };
}

QJsonObject documentToJson(const DocumentData &doc, int kind)
{
    QJsonArray sats, tps, pgs;
    if (doc.database) {
        // Programmes in the order a save writes them: under their TPs.
        for (const DB_NS::SatNode *sat : doc.database->sats()) {
            sats.append(nodeToJson(*sat));
            for (const DB_NS::TPNode *tp : sat->tps()) {
                tps.append(nodeToJson(*tp));
                for (const DB_NS::PGNode *pg : tp->pgs())
                    pgs.append(nodeToJson(*pg));
            }
        }
    }
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
        {QStringLiteral("satellites"), sats},
        {QStringLiteral("transponders"), tps},
        {QStringLiteral("programmes"), pgs},
    };
}

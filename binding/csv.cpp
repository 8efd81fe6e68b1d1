#include "csv.h"

#include "channeldatabase.h"
#include "satnode.h"
#include "tpnode.h"

namespace {

QString csvField(const QString &text)
{
    static const QString special = QStringLiteral(",\"\r\n");
    bool quote = false;
    for (const QChar c : text) {
        if (special.contains(c)) {
            quote = true;
            break;
        }
    }
    if (!quote)
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void appendRow(QString &out, const QStringList &fields)
{
    for (int i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += QLatin1Char(',');
        out += csvField(fields.at(i));
    }
    out += QLatin1String("\r\n");
}

// The tree's name for a transponder: "TP" and its FRQ, POL and SYM.
QString transponderName(const DB_NS::TPNode &tp)
{
    QString name = QStringLiteral("TP");
    for (const char *field : {"FRQ", "POL", "SYM"}) {
        if (const NodeAttribute *attribute = tp.findAttribute(QLatin1String(field)))
            name += QLatin1Char('_') + attribute->value;
    }
    return name;
}

} // namespace

QByteArray csvDocument(const QStringList &header, const QVector<QStringList> &rows)
{
    QString out;
    appendRow(out, header);
    for (const QStringList &row : rows)
        appendRow(out, row);
    return out.toUtf8();
}

QByteArray programmesCsv(const ChannelDatabase &database, const QStringList &fields)
{
    QStringList header{QStringLiteral("satellite"), QStringLiteral("transponder")};
    header << fields;
    QVector<QStringList> rows;
    rows.reserve(int(database.allPGs().size()));
    for (const DB_NS::PGNode *programme : database.allPGs()) {
        const DB_NS::TPNode *tp = programme->parent();
        const DB_NS::SatNode *sat = tp ? tp->parent() : nullptr;
        QStringList row{sat ? sat->value(QStringLiteral("NAME")) : QString(), tp ? transponderName(*tp) : QString()};
        for (const QString &field : fields)
            row << programme->value(field);
        rows.append(row);
    }
    return csvDocument(header, rows);
}

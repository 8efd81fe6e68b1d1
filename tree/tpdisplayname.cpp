#include "tpdisplayname.h"

#include "tpnode.h"

#include <QStringList>

QString tpDisplayName(const DB_NS::TPNode &tp)
{
    static const QString parts[] = {QStringLiteral("FRQ"), QStringLiteral("POL"), QStringLiteral("SYM")};
    QString text = QStringLiteral("TP");
    for (const QString &name : parts) {
        if (const NodeAttribute *attribute = tp.findAttribute(name))
            text += QLatin1Char('_') + attribute->value;
    }
    return text;
}

#include "nodeattribute.h"

namespace {

inline ushort upperAscii(ushort c)
{
    return (c >= 'a' && c <= 'z') ? ushort(c - ('a' - 'A')) : c;
}

} // namespace

bool NodeAttribute::namesEqual(const QString &a, const QString &b)
{
    if (a.size() != b.size())
        return false;
    const QChar *pa = a.constData();
    const QChar *pb = b.constData();
    for (int i = 0, n = a.size(); i < n; ++i) {
        if (upperAscii(pa[i].unicode()) != upperAscii(pb[i].unicode()))
            return false;
    }
    return true;
}

#include "userdbdump.h"

namespace ostrel {

QByteArray userDumpMagic()
{
    return QByteArrayLiteral("*^_^*DB(^o^)");
}

void HeadTable::insert(const QString &name, const QByteArray &bits, uint32_t width)
{
    const QString key = name.toCaseFolded();
    if (!m_fields.contains(key))
        m_fields.insert(key, Field{bits, width});
}

const HeadTable::Field *HeadTable::find(const QString &name) const
{
    const auto it = m_fields.constFind(name.toCaseFolded());
    return it == m_fields.cend() ? nullptr : &it.value();
}

void UserDumpExtras::clear()
{
    head.clear();
    hasTrailingBlock = false;
    trailingBlock.clear();
    favouriteNames.clear();
}

} // namespace ostrel

#pragma once
// Fixed-size UTF-16 fields of the boundary records, read and written the same
// way on both sides: cut to fit, never past the field, always terminated.

#include <QString>

#include <algorithm>

namespace ostrel {

// Copies length units into a fixed UTF-16 field, cut to capacity - 1 units and zero-filled.
inline void copyUnits(char16_t *dst, int capacity, const char16_t *src, qsizetype length)
{
    if (!dst || capacity <= 0)
        return;
    // Each unit is written once: the text, then zeros to the end of the field.
    const int units = int(std::min<qsizetype>(length, capacity - 1));
    std::copy_n(src, units, dst);
    std::fill(dst + units, dst + capacity, u'\0');
}

inline void copyText(char16_t *dst, int capacity, const QString &text)
{
    copyUnits(dst, capacity, reinterpret_cast<const char16_t *>(text.utf16()), text.size());
}

// Reads a fixed UTF-16 field up to its terminator, never past capacity units.
inline QString readText(const char16_t *src, int capacity)
{
    if (!src || capacity <= 0)
        return QString();
    const char16_t *end = std::find(src, src + capacity, u'\0');
    return QString::fromUtf16(src, int(end - src));
}

} // namespace ostrel

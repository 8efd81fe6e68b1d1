#include "jsoncursor.h"

#include <cstring>

namespace {

// Deeper than any document export writes; QJsonDocument has its own limit.
constexpr int MaxDepth = 64;
constexpr int MaxDigits = 15; // every such integer is exact as a double

bool isContinuation(unsigned char c, unsigned char low = 0x80, unsigned char high = 0xBF)
{
    return c >= low && c <= high;
}

// The length of the well-formed UTF-8 sequence at p (lead byte 0x80 or above),
// 0 when it is not one: no overlong forms, no surrogates, nothing past U+10FFFF.
int utf8Length(const unsigned char *p, const unsigned char *end)
{
    const unsigned char c = p[0];
    const auto left = end - p;
    if (c >= 0xC2 && c <= 0xDF)
        return left >= 2 && isContinuation(p[1]) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        const unsigned char low = c == 0xE0 ? 0xA0 : 0x80;
        const unsigned char high = c == 0xED ? 0x9F : 0xBF;
        return left >= 3 && isContinuation(p[1], low, high) && isContinuation(p[2]) ? 3 : 0;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        const unsigned char low = c == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = c == 0xF4 ? 0x8F : 0xBF;
        return left >= 4 && isContinuation(p[1], low, high) && isContinuation(p[2]) && isContinuation(p[3]) ? 4
                                                                                                            : 0;
    }
    return 0;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The unit of a checked \uXXXX escape; p is at the first hex digit.
ushort escapedUnit(const char *p)
{
    return ushort((hexDigit(p[0]) << 12) | (hexDigit(p[1]) << 8) | (hexDigit(p[2]) << 4) | hexDigit(p[3]));
}

QString fromUtf8(const char *begin, const char *end)
{
    for (const char *p = begin; p < end; ++p) {
        if (static_cast<unsigned char>(*p) >= 0x80)
            return QString::fromUtf8(begin, int(end - begin));
    }
    return QString::fromLatin1(begin, int(end - begin));
}

} // namespace

char JsonCursor::peek()
{
    // Indented text is mostly runs of spaces: pass them eight at a time.
    constexpr quint64 Spaces = 0x2020202020202020ULL;
    quint64 word = 0;
    while (m_end - m_at >= 8 && (std::memcpy(&word, m_at, 8), word == Spaces))
        m_at += 8;
    while (m_at < m_end && (*m_at == ' ' || *m_at == '\n' || *m_at == '\r' || *m_at == '\t'))
        ++m_at;
    return m_at < m_end ? *m_at : '\0';
}

bool JsonCursor::take(char c)
{
    if (peek() != c || c == 0)
        return false;
    ++m_at;
    return true;
}

bool JsonCursor::string(std::string_view *raw, bool *escaped)
{
    if (!take('"'))
        return false;
    *escaped = false;
    const char *begin = m_at;
    const auto *p = reinterpret_cast<const unsigned char *>(m_at);
    const auto *end = reinterpret_cast<const unsigned char *>(m_end);
    while (p < end) {
        const unsigned char c = *p;
        if (c == '"') {
            *raw = std::string_view(begin, size_t(reinterpret_cast<const char *>(p) - begin));
            m_at = reinterpret_cast<const char *>(p + 1);
            return true;
        }
        if (c < 0x20)
            return false;
        if (c == '\\') {
            *escaped = true;
            if (end - p < 2)
                return false;
            const char e = char(p[1]);
            if (e == 'u') {
                if (end - p < 6)
                    return false;
                for (int i = 2; i < 6; ++i) {
                    if (hexDigit(char(p[i])) < 0)
                        return false;
                }
                p += 6;
            } else if (e == '"' || e == '\\' || e == '/' || e == 'b' || e == 'f' || e == 'n' || e == 'r'
                       || e == 't') {
                p += 2;
            } else {
                return false;
            }
        } else if (c >= 0x80) {
            const int n = utf8Length(p, end);
            if (n == 0)
                return false;
            p += n;
        } else {
            ++p;
        }
    }
    return false;
}

bool JsonCursor::integer(qint64 *value)
{
    peek();
    const char *p = m_at;
    const bool negative = p < m_end && *p == '-';
    if (negative)
        ++p;
    const char *digits = p;
    qint64 v = 0;
    while (p < m_end && *p >= '0' && *p <= '9' && p - digits < MaxDigits + 1)
        v = v * 10 + (*p++ - '0');
    const auto n = p - digits;
    if (n == 0 || n > MaxDigits || (*digits == '0' && n > 1))
        return false;
    // A fraction or an exponent is left to QJsonDocument.
    if (p < m_end && (*p == '.' || *p == 'e' || *p == 'E' || (*p >= '0' && *p <= '9')))
        return false;
    m_at = p;
    *value = negative ? -v : v;
    return true;
}

bool JsonCursor::literal(std::string_view word)
{
    if (size_t(m_end - m_at) < word.size() || std::string_view(m_at, word.size()) != word)
        return false;
    m_at += word.size();
    return true;
}

bool JsonCursor::skipValue(int depth)
{
    if (depth > MaxDepth)
        return false;
    switch (peek()) {
    case '"': {
        std::string_view raw;
        bool escaped = false;
        return string(&raw, &escaped);
    }
    case '{':
        ++m_at;
        if (take('}'))
            return true;
        do {
            std::string_view key;
            bool escaped = false;
            if (!string(&key, &escaped) || !take(':') || !skipValue(depth + 1))
                return false;
        } while (take(','));
        return take('}');
    case '[':
        ++m_at;
        if (take(']'))
            return true;
        do {
            if (!skipValue(depth + 1))
                return false;
        } while (take(','));
        return take(']');
    case 't':
        return literal("true");
    case 'f':
        return literal("false");
    case 'n':
        return literal("null");
    default: {
        qint64 ignored = 0;
        return integer(&ignored);
    }
    }
}

QString JsonCursor::textOf(std::string_view raw, bool escaped)
{
    const char *p = raw.data();
    const char *end = p + raw.size();
    if (!escaped)
        return fromUtf8(p, end);
    QString text;
    text.reserve(int(raw.size()));
    while (p < end) {
        const char *run = p;
        while (p < end && *p != '\\')
            ++p;
        if (p > run)
            text += fromUtf8(run, p);
        if (p == end)
            break;
        const char e = p[1];
        p += 2;
        switch (e) {
        case 'b':
            text += QChar(u'\b');
            break;
        case 'f':
            text += QChar(u'\f');
            break;
        case 'n':
            text += QChar(u'\n');
            break;
        case 'r':
            text += QChar(u'\r');
            break;
        case 't':
            text += QChar(u'\t');
            break;
        case 'u':
            text += QChar(escapedUnit(p));
            p += 4;
            break;
        default: // '"', '\\' or '/', checked by string()
            text += QLatin1Char(e);
            break;
        }
    }
    return text;
}

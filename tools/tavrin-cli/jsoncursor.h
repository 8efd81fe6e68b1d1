#pragma once

#include <QString>
#include <QtGlobal>

#include <string_view>

// A forward reader over JSON text that builds no tree. It takes only plain
// RFC 8259 JSON, and of numbers only integers of up to 15 digits: every read
// returns false at anything else (a syntax error among them), so that a caller
// can hand such text to QJsonDocument and report exactly what it reports.
class JsonCursor
{
public:
    // The text must outlive the cursor and every view it hands out.
    JsonCursor(const char *begin, const char *end)
        : m_at(begin), m_end(end) {}

    // The next character after white space, 0 at the end.
    char peek();
    // Takes c when it comes next after white space.
    bool take(char c);
    // True when only white space is left.
    bool atEnd() { return peek() == 0 && m_at == m_end; }

    // A string's bytes between its quotes, checked (escapes, UTF-8) but not
    // decoded; escaped tells whether textOf has escapes to undo.
    bool string(std::string_view *raw, bool *escaped);
    bool integer(qint64 *value);
    // Any value, checked and passed over.
    bool skip() { return skipValue(0); }

    static QString textOf(std::string_view raw, bool escaped);

private:
    bool skipValue(int depth);
    bool literal(std::string_view word);

    const char *m_at;
    const char *m_end;
};

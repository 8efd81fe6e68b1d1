#pragma once

#include <QString>

/**
 * One named text value of a node. Names are compared without regard to the
 * case of a-z only (plain ASCII rule), so "Name" and "NAME" are one name
 * while non-ASCII letters must match exactly.
 */
struct NodeAttribute
{
    QString name;
    QString value;

    static bool namesEqual(const QString &a, const QString &b);
};

namespace DB_NS {
using ::NodeAttribute;
}

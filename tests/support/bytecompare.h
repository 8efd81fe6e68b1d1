#pragma once
// Byte-for-byte comparison that names the first differing offset.

#include <QByteArray>
#include <QString>
#include <QtTest>

inline QString firstByteDifference(const QByteArray &actual, const QByteArray &expected)
{
    const int common = qMin(actual.size(), expected.size());
    for (int i = 0; i < common; ++i) {
        if (actual.at(i) != expected.at(i)) {
            return QStringLiteral("first difference at offset %1 (0x%2): actual 0x%3, expected 0x%4")
                .arg(i)
                .arg(i, 0, 16)
                .arg(quint8(actual.at(i)), 2, 16, QLatin1Char('0'))
                .arg(quint8(expected.at(i)), 2, 16, QLatin1Char('0'));
        }
    }
    if (actual.size() != expected.size())
        return QStringLiteral("sizes differ: actual %1 bytes, expected %2").arg(actual.size()).arg(expected.size());
    return QString();
}

#define COMPARE_BYTES(actual, expected)                                        \
    do {                                                                       \
        const QString difference_ = firstByteDifference((actual), (expected)); \
        QVERIFY2(difference_.isEmpty(), qPrintable(difference_));              \
    } while (false)

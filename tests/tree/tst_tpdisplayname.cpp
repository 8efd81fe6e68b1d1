#include "tpdisplayname.h"

#include "tpnode.h"

#include <QtTest>

using Attributes = QVector<QPair<QString, QString>>;
Q_DECLARE_METATYPE(Attributes)

class TestTpDisplayName : public QObject
{
    Q_OBJECT

private slots:
    void displayName_data();
    void displayName();
};

void TestTpDisplayName::displayName_data()
{
    QTest::addColumn<Attributes>("attributes");
    QTest::addColumn<QString>("expected");

    using P = QPair<QString, QString>;
    const P frq{QStringLiteral("FRQ"), QStringLiteral("11778")};
    const P pol{QStringLiteral("POL"), QStringLiteral("H")};
    const P sym{QStringLiteral("SYM"), QStringLiteral("27500")};
    const P other{QStringLiteral("LONGITUDE"), QStringLiteral("1920")};

    QTest::newRow("all three") << Attributes{frq, pol, sym} << QStringLiteral("TP_11778_H_27500");
    QTest::newRow("no POL") << Attributes{frq, sym} << QStringLiteral("TP_11778_27500");
    QTest::newRow("only SYM") << Attributes{sym} << QStringLiteral("TP_27500");
    QTest::newRow("none") << Attributes{other} << QStringLiteral("TP");
    QTest::newRow("no attributes") << Attributes{} << QStringLiteral("TP");
    QTest::newRow("stored order does not matter") << Attributes{sym, other, pol, frq}
                                                  << QStringLiteral("TP_11778_H_27500");
    QTest::newRow("names in any case") << Attributes{{QStringLiteral("frq"), QStringLiteral("10700")},
                                                     {QStringLiteral("Pol"), QStringLiteral("V")}}
                                       << QStringLiteral("TP_10700_V");
    QTest::newRow("empty value keeps its separator")
        << Attributes{{QStringLiteral("FRQ"), QString()}, sym} << QStringLiteral("TP__27500");
    QTest::newRow("prefix of a name is not the name")
        << Attributes{{QStringLiteral("FRQX"), QStringLiteral("1")}, {QStringLiteral("SY"), QStringLiteral("2")}}
        << QStringLiteral("TP");
}

void TestTpDisplayName::displayName()
{
    QFETCH(Attributes, attributes);
    QFETCH(QString, expected);

    DB_NS::TPNode tp(7);
    for (const auto &attribute : attributes)
        QVERIFY(tp.addAttribute(attribute.first, attribute.second));
    QCOMPARE(tpDisplayName(tp), expected);
}

QTEST_GUILESS_MAIN(TestTpDisplayName)
#include "tst_tpdisplayname.moc"

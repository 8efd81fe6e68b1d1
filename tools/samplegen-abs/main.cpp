// tavrin-samplegen-abs OUT.abs
// Writes a small flash image: a top-level table off the 64 KiB grid with a
// preset block, an 0xA4 block whose table offset is not a multiple of 64 KiB
// (its place in the image is), an "NCRC" block and a block that holds a nested
// table; and a second top-level table on a 64 KiB boundary.

#include "externaltool.h"
#include "flashbuilder.h"
#include "presetdata.h"
#include "records.h"
#include "savefile.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

using namespace ostrel;

namespace {

constexpr qint64 ImageSize = 0x50000;
constexpr qint64 FirstTable = 0x80;
constexpr qint64 PresetStart = 0x1000;
constexpr qint64 PresetRoom = 0x7000; // the next block starts at 0x8000

void setValues(DataRecord &record, const QStringList &names, const QStringList &texts)
{
    for (int i = 0; i < names.size() && i < int(record.count); ++i) {
        copyText(record.values[i].name, OstrelNameUnits, names[i]);
        copyText(record.values[i].text, OstrelTextUnits, texts.value(i));
    }
}

// A few satellites with programmes on shared transponders and one transponder without any.
void makeDatabase(RecordStore &sats, RecordStore &tps, RecordStore &pgs, PresetColumns &columns)
{
    columns.satellite = QStringList{QStringLiteral("LONGITUDE")};
    columns.programme = QStringList{QStringLiteral("FRQ"), QStringLiteral("SYM"), QStringLiteral("POL"),
                                    QStringLiteral("V_PID"), QStringLiteral("A_PID"), QStringLiteral("SID")};
    const QStringList satNames{QStringLiteral("ID"), QStringLiteral("NAME"), QStringLiteral("LONGITUDE")};
    const QStringList tpNames{QStringLiteral("ID"), QStringLiteral("SAT_ID"), QStringLiteral("FRQ"),
                              QStringLiteral("SYM"), QStringLiteral("POL")};
    QStringList pgNames{QStringLiteral("ID"), QStringLiteral("SAT_ID"), QStringLiteral("TP_ID"),
                        QStringLiteral("NAME")};
    pgNames += columns.programme;

    struct Sat
    {
        const char *name;
        const char *longitude;
        int transponders;
    };
    const Sat satellites[] = {{"*Meridian 13.0E", "1300", 3}, {"*Boreal 30.5W", "35818", 2}, {"*Austral 4.8W", "33248", 2}};
    uint32_t id = 0;
    int channel = 1;
    for (const Sat &s : satellites) {
        const uint32_t satId = id++;
        setValues(sats.append(satId, 0, uint32_t(satNames.size())), satNames,
                  {QString::number(satId), QString::fromLatin1(s.name), QString::fromLatin1(s.longitude)});
        for (int t = 0; t < s.transponders; ++t) {
            const uint32_t tpId = id++;
            const QString frq = QString::number(10700 + 250 * t + 17 * int(satId));
            const QString sym = QString::number(t % 2 ? 27500 : 22000);
            const QString pol = t % 2 ? QStringLiteral("V") : QStringLiteral("H");
            setValues(tps.append(tpId, satId, uint32_t(tpNames.size())), tpNames,
                      {QString::number(tpId), QString::number(satId), frq, sym, pol});
            // The last transponder of each satellite carries no programme.
            const int programmes = t == s.transponders - 1 ? 0 : 3;
            for (int p = 0; p < programmes; ++p, ++channel) {
                const uint32_t pgId = id++;
                const bool radio = p == 2;
                setValues(pgs.append(pgId, tpId, uint32_t(pgNames.size())), pgNames,
                          {QString::number(pgId), QString::number(satId), QString::number(tpId),
                           QStringLiteral("Channel %1%2").arg(channel).arg(radio ? QStringLiteral(" FM") : QString()),
                           frq, sym, pol, radio ? QStringLiteral("0") : QString::number(100 + channel),
                           QString::number(200 + channel), QString::number(1000 + channel)});
            }
        }
    }
}

QByteArray pattern(int size, quint32 seed)
{
    QByteArray bytes(size, '\0');
    quint32 x = seed * 2654435761u + 1;
    for (int i = 0; i < size; ++i) {
        x = x * 1103515245u + 12345u;
        bytes[i] = char(x >> 24);
    }
    return bytes;
}

FlashBlockPlan block(uint8_t tag, const char *name, qint64 tablePosition, qint64 start,
                     const QByteArray &data, bool noChecksum = false)
{
    FlashBlockPlan b;
    b.tag = tag;
    b.name = name;
    b.offset = uint32_t(start - tablePosition);
    b.data = data;
    b.noChecksum = noChecksum;
    return b;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    const QLatin1String usage("usage: tavrin-samplegen-abs OUT.abs\n");
    if (args.size() == 2 && (args.at(1) == QLatin1String("--help") || args.at(1) == QLatin1String("-h"))) {
        QTextStream(stdout) << usage;
        return 0;
    }
    if (args.size() != 2) {
        err << usage;
        return 2;
    }

    RecordStore sats, tps, pgs;
    PresetColumns columns;
    makeDatabase(sats, tps, pgs, columns);
    QByteArray preset, packed;
    if (!buildPreset(*sats.head(), *tps.head(), *pgs.head(), columns, preset)) {
        err << "the preset could not be built\n";
        return 1;
    }
    ExternalTool tool;
    if (!tool.pack(preset, packed) || packed.size() > PresetRoom) {
        err << "the preset could not be packed with " << tool.toolPath() << ": " << tool.errorString() << '\n';
        return 1;
    }

    const qint64 first = FirstTable;
    FlashTablePlan top;
    top.position = first;
    top.reserved = "BOXIMG-v1.02";
    top.blocks = {block(0x20, "bootloader", first, 0x200, pattern(0xC00, 1)),
                  block(0x9C, "preset", first, PresetStart, packed),
                  block(0x30, "settings", first, 0x8000, pattern(0x800, 2)),
                  block(0xA4, "kernel", first, 0x10000, pattern(0x3000, 3)),
                  block(0x50, "calibration", first, 0x14000, pattern(0x400, 4), true),
                  block(0x60, "rootfs", first, 0x18000, pattern(0x8000, 5))};

    // Inside rootfs: its own table with two blocks.
    const qint64 nestedAt = 0x18040;
    FlashTablePlan nested;
    nested.position = nestedAt;
    nested.reserved = "ROOTFS-parts";
    nested.blocks = {block(0x61, "fonts", nestedAt, 0x18400, pattern(0x1800, 6)),
                     block(0x62, "images", nestedAt, 0x1A000, pattern(0x2000, 7))};

    const qint64 second = 0x30000;
    FlashTablePlan upper;
    upper.position = second;
    upper.reserved = "BOXIMG-user1";
    upper.blocks = {block(0x70, "userdata", second, 0x31000, pattern(0x2000, 8)),
                    block(0xA8, "logo", second, 0x40000, pattern(0x1000, 9))};

    const QByteArray image = buildFlashImage(ImageSize, {top, nested, upper});
    QString error;
    if (!saveFileAtomically(args[1], image, &error)) {
        err << "cannot write " << error << '\n';
        return 1;
    }
    return 0;
}

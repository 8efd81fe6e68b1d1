#pragma once
// Builds plausible channel databases for the shipped configuration: the
// bundled samples, the golden test files and the benchmark databases.

#include "parserconfig.h"
#include "records.h"

#include <QByteArray>
#include <QStringList>

struct SampleSize
{
    int satellites = 4;
    int transponders = 16;
    int programmes = 60;
    int favourites = 5;
    bool nonLatinNames = true; // mix Cyrillic, Greek, Arabic and CJK names in
    quint32 seed = 1;

    static SampleSize small();
    static SampleSize large();  // 10,000 programmes / 3,000 TPs / 64 satellites
    static SampleSize stress(); // 50,000 / 10,000 / 64: the shipped configuration holds 64 satellites
};

struct SampleRecords
{
    ostrel::RecordStore satellites;
    ostrel::RecordStore transponders;
    ostrel::RecordStore programmes;
    QStringList favourites;
};

// Records for every field of the configuration, the same for the same size and seed.
void generateSampleRecords(const ostrel::ParserConfig &config, const SampleSize &size, SampleRecords &out);

// A whole dump file, with a trailing block that holds the favourite names.
// Null on failure, with *error set.
QByteArray generateUserDump(const ostrel::ParserConfig &config, const SampleSize &size, QString *error);

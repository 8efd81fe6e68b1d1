#pragma once

#include "channeldatabase.h"
#include "templatefield.h"

#include <QStringList>
#include <QVector>

#include <memory>

// A hot key as the editor keeps it: its own copy of the name, so nothing
// points into the parser library once the load is over.
struct HotKey
{
    QString name;
    quint32 satId = DB_NS::NoId;
    quint32 tpId = DB_NS::NoId;
    quint32 pgId = DB_NS::NoId;
};

// favIndex is -1 while the key is unassigned.
struct FavHotKey
{
    QString name;
    qint32 favIndex = -1;
};

// What one open document holds besides its file path and kind: the database,
// the field templates, the favourite names and the hot keys.
struct DocumentData
{
    std::unique_ptr<ChannelDatabase> database;
    TemplateVector satTemplate;
    TemplateVector tpTemplate;
    TemplateVector pgTemplate;
    TemplateMap satFields;
    TemplateMap tpFields;
    TemplateMap pgFields;
    QStringList favouriteNames;
    QVector<HotKey> hotKeys;
    QVector<FavHotKey> favHotKeys;
    int satMaxNum = -1;
    // UTF-16 units one favourite-group name keeps in the file; 0 while unknown.
    int favouriteNameUnits = 0;
};

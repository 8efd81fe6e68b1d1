#pragma once

#include "channeldatabase.h"
#include "ostrel_api.h"
#include "templatefield.h"

#include <QStringList>
#include <QVector>

#include <memory>

// What one open document holds besides its file path and kind: the database,
// the field templates, and the lists the parser handed out with it.
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
    // Names point into the parser library's memory until its next Clean.
    QVector<HotKeyItem> hotKeys;
    QVector<FavHotKeyItem> favHotKeys;
    int satMaxNum = -1;
};

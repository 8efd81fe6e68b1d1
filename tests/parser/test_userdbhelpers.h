#pragma once
// Small builders shared by the user-database tests: records from name/text pairs
// and configurations from inline XML.

#include "boundarytext.h"
#include "parserconfig.h"
#include "records.h"

#include <QtTest>

#include <utility>
#include <vector>

namespace userdbtest {

using Values = std::vector<std::pair<const char *, QString>>;

inline DataRecord &addRecord(ostrel::RecordStore &store, uint32_t id, uint32_t parentId,
                             const Values &values)
{
    DataRecord &r = store.append(id, parentId, uint32_t(values.size()));
    for (size_t i = 0; i < values.size(); ++i) {
        ostrel::copyText(r.values[i].name, OstrelNameUnits, QString::fromUtf8(values[i].first));
        ostrel::copyText(r.values[i].text, OstrelTextUnits, values[i].second);
    }
    return r;
}

inline QString valueOf(const DataRecord &r, const char *name)
{
    return ostrel::fieldText(r, QString::fromUtf8(name));
}

inline DataRecord &recordAt(ostrel::RecordStore &store, int i)
{
    return *store.head()->records[i];
}

inline ostrel::ParserConfig configFrom(const QByteArray &xml)
{
    ostrel::ParserConfig config;
    QString error;
    const bool ok = ostrel::readConfigXml(xml, config, &error);
    if (!ok)
        qWarning("%s", qPrintable(error));
    return config;
}

// A compact dump layout with fields off byte boundaries in every group.
inline QByteArray smallDumpConfig()
{
    return QByteArrayLiteral(R"(<?xml version="1.0"?>
<userdb_dump>
  <fav offset="2" size="3" length="8"/>
  <head size="256">
    <elem name="db_head" size="96"/>
    <elem name="data_len" size="32"/>
    <elem name="crc" size="32"/>
    <elem name="sat_node_size" size="8"/>
    <elem name="tp_node_size" size="8"/>
    <elem name="pg_node_size" size="8"/>
    <elem name="sat_cnt" size="16"/>
    <elem name="tp_cnt" size="16"/>
    <elem name="pg_cnt" size="16"/>
    <elem name="ssdata_len" size="16"/>
    <elem name="version" offset="3" size="5"/>
  </head>
  <sat size="64" max_num="12">
    <elem name="id" type="Integer" size="16"/>
    <elem name="NAME" type="Text" size="32" order="1"/>
    <elem name="POS" type="Integer" offset="1" size="8" default="7"/>
  </sat>
  <tp size="48">
    <elem name="id" type="Integer" size="16"/>
    <elem name="sat_id" type="Integer" size="16"/>
    <elem name="POL" type="Combobox" size="1"><opt value="0" name="H"/><opt value="1" name="V"/></elem>
    <elem name="FRQ" type="Integer" offset="3" size="12"/>
  </tp>
  <pg size="80">
    <elem name="id" type="Integer" size="16"/>
    <elem name="tp_id" type="Integer" size="16"/>
    <elem name="sat_id" type="Integer" size="16"/>
    <elem name="NAME" type="Text" size="24" order="1"/>
    <elem name="MODE" type="Combobox" size="3">
      <opt value="0" name="A"/><opt value="1" name="B"/><opt value="2" name="C"/>
    </elem>
    <elem name="LEVEL" type="Integer" offset="1" size="4"/>
  </pg>
</userdb_dump>
)");
}

} // namespace userdbtest

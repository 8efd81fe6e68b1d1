#include "fieldranges.h"

#include "boundarytext.h"
#include "documentdata.h"
#include "parserlibrary.h"

ValueRange FieldRanges::of(int recordKind, const QString &field) const
{
    if (recordKind < OstrelSatellite || recordKind > OstrelProgramme)
        return {};
    return fields[recordKind - 1].value(field.toLower());
}

FieldRanges FieldRanges::query(ParserLibrary &library, int fileKind)
{
    FieldRanges ranges;
    FieldRangeList *list = nullptr;
    if (library.getFieldRanges(fileKind, &list) != 0 || !list)
        return ranges;
    for (uint32_t i = 0; list->items && i < list->count; ++i) {
        const FieldRange &r = list->items[i];
        if (r.kind < OstrelSatellite || r.kind > OstrelProgramme
            || (r.valueKind != OstrelValueNumber && r.valueKind != OstrelValueList) || r.minimum > r.maximum)
            continue;
        ValueRange range;
        range.kind = r.valueKind;
        range.minimum = r.minimum;
        range.maximum = r.maximum;
        if (r.valueKind == OstrelValueList && r.options)
            range.options = QString::fromUtf16(r.options).split(QLatin1Char(';'));
        ranges.fields[r.kind - 1].insert(ostrel::readText(r.name, OstrelNameUnits).toLower(), range);
    }
    return ranges;
}

void applyFieldRanges(DocumentData &doc, const FieldRanges &ranges)
{
    const auto apply = [&ranges](int kind, TemplateVector &vector, TemplateMap &map) {
        for (TemplateField &field : vector)
            field.range = ranges.of(kind, field.name);
        for (TemplateField &field : map)
            field.range = ranges.of(kind, field.name);
    };
    apply(OstrelSatellite, doc.satTemplate, doc.satFields);
    apply(OstrelTransponder, doc.tpTemplate, doc.tpFields);
    apply(OstrelProgramme, doc.pgTemplate, doc.pgFields);
}

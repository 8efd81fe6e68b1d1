#pragma once

#include "ostrel_api.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

// Which texts a field keeps in the file, as the parser library says.
struct ValueRange
{
    int32_t kind = 0; // OstrelValueKind; 0: any text
    quint32 minimum = 0;
    quint32 maximum = 0;
    QStringList options; // OstrelValueList: the option names
};

// The editor's copy of one field template handed out by the parser library.
struct TemplateField
{
    int kind = 0; // filled only in the field maps
    QString name;
    QString defaultText;
    bool open = true;
    bool readOnly = false;
    bool editHidden = false;
    bool duplicateCheck = false;
    QString editorSpec; // empty for a plain text field
    TriggerCallback trigger = nullptr;
    // UTF-16 units the field keeps in the file; 0 while unknown.
    int maxLength = 0;
    ValueRange range;
};

using TemplateVector = QVector<TemplateField>;
using TemplateMap = QMap<QString, TemplateField>;

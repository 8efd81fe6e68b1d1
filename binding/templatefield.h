#pragma once

#include "ostrel_api.h"

#include <QMap>
#include <QString>
#include <QVector>

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

    static TemplateField fromTemplate(const FieldTemplate &t);
};

using TemplateVector = QVector<TemplateField>;
using TemplateMap = QMap<QString, TemplateField>;

// A null list converts to an empty vector or map.
TemplateVector templateVector(const TemplateList *list);
TemplateMap templateMap(const TemplateList *list);

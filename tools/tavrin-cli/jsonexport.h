#pragma once

#include "documentdata.h"

#include <QJsonObject>

// The whole document as one JSON object: lists in the parser's order, values
// as ordered [name, text] pairs.
QJsonObject documentToJson(const DocumentData &doc, int kind);

// The same document as QJsonDocument(documentToJson(doc, kind)).toJson(Indented)
// prints it, byte for byte; the node lists are written straight to text, which
// at tens of thousands of nodes is several times faster than building the objects.
QByteArray documentJsonText(const DocumentData &doc, int kind);

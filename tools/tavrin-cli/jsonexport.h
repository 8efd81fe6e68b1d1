#pragma once

#include "documentdata.h"

#include <QJsonObject>

// The whole document as one JSON object: lists in the parser's order, values
// as ordered [name, text] pairs.
QJsonObject documentToJson(const DocumentData &doc, int kind);

#pragma once

#include "channeldatabase.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

struct ImportedDocument
{
    std::unique_ptr<ChannelDatabase> database;
    std::optional<QStringList> favourites; // absent: keep the base file's
};

// Reads the JSON that export writes. On a malformed document, a record that
// is not of the expected shape, or an id repeated within one kind, returns
// false with a message that says where; nothing is built then.
bool documentFromJson(const QByteArray &json, ImportedDocument &out, QString *error);

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

// The two readers documentFromJson is made of. The quick one reads the text
// once, without a document tree, and leaves to the other (QJsonDocument)
// whatever it does not take: a syntax error, a number that is not a plain
// integer, a key given twice. Both give the same records and messages.
enum class QuickRead { Built,
                       Refused,
                       NotRead };
QuickRead quickDocumentFromJson(const QByteArray &json, ImportedDocument &out, QString *error);
bool documentFromJsonTree(const QByteArray &json, ImportedDocument &out, QString *error);

#pragma once
// The operations of `tavrin-cli edit`: each object of the OPS array is one
// user operation, run through the document's edits as the editor runs it.

#include <QJsonArray>
#include <QString>

#include <functional>

class Document;
struct DocumentData;

enum class EditResult { Applied,
                        Refused,
                        Malformed };

// Loads a file of a kind the editor opens into data, read-only; false with
// the editor's message when it does not load.
using ReferenceLoader = std::function<bool(const QString &path, DocumentData *data, QString *error)>;

// Applies ops in order and stops at the first one that cannot run; message
// then says which one and why ("ops[3] up: no programme 77"). loadReference
// reads reorderLike's file when it is neither JSON nor a list of names.
EditResult applyOperations(Document &document, const QJsonArray &ops, QString *message,
                           const ReferenceLoader &loadReference = ReferenceLoader());

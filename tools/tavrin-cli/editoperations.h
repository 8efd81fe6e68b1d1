#pragma once
// The operations of `tavrin-cli edit`: each object of the OPS array is one
// user operation, run through the document's edits as the editor runs it.

#include <QJsonArray>
#include <QString>

class Document;

enum class EditResult { Applied,
                        Refused,
                        Malformed };

// Applies ops in order and stops at the first one that cannot run; message
// then says which one and why ("ops[3] up: no programme 77").
EditResult applyOperations(Document &document, const QJsonArray &ops, QString *message);

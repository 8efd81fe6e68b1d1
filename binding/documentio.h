#pragma once
// The load and save sequences between a bound parser library and the editor's
// document.

#include "documentdata.h"

#include <QString>

class ParserLibrary;

enum class LoadStatus {
    Loaded,     // the document holds the new database
    LoadError,  // Load returned non-zero (or is not exported)
    NoDatabase, // Load succeeded but handed out no lists: nothing changes
};

// Runs Load on a library already bound for the file and, on success, replaces
// everything in doc with what the library handed out.
LoadStatus loadDocument(ParserLibrary &library, int kind, const QString &path, DocumentData &doc,
                        int *result = nullptr);

enum class SaveOutcome { Saved,
                         NotSupported,
                         NoLibrary,
                         NotAttempted };

// Builds the boundary lists from doc, binds libraryName (empty: none known for
// the kind) and calls Save. A null library means none was ever created.
SaveOutcome saveDocument(ParserLibrary *library, const QString &libraryName, int kind,
                         const QString &path, const DocumentData &doc, int *result = nullptr);

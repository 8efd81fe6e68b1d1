#pragma once
// The load and save sequences between a bound parser library and the editor's
// document.

#include "databasecounts.h"
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

// The numbers `tavrin-cli info` shows of a file.
struct DocumentSummary
{
    DatabaseCounts counts;
    int favourites = 0;
    int hotKeys = 0;
    int satMaxNum = -1;
};

// Runs Load as loadDocument does and counts what the document would hold,
// without building its database.
LoadStatus loadSummary(ParserLibrary &library, int kind, const QString &path, DocumentSummary &summary,
                       int *result = nullptr);

enum class SaveOutcome { Saved,
                         NotSupported,
                         NoLibrary,
                         NotAttempted };

// Builds the boundary lists from doc, binds libraryName (empty: none known for
// the kind) and calls Save. A null library means none was ever created.
SaveOutcome saveDocument(ParserLibrary *library, const QString &libraryName, int kind,
                         const QString &path, const DocumentData &doc, int *result = nullptr);

#pragma once
// The recovery file: a document's unsaved state, written while the editor
// runs so that a crash, a killed session or a power cut does not lose it. It
// is the JSON that `tavrin-cli export` writes (so `tavrin-cli import` reads
// it), plus the service order, the hot keys and which file, as loaded, the
// state belongs to.

#include "documentdata.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

/** A file as it was loaded or last saved. */
struct FileIdentity
{
    QString path;
    int kind = 0;
    QString customer;
    qint64 size = -1;
    QDateTime modified;
    QByteArray sha256; // of the bytes, hex

    bool isValid() const { return !path.isEmpty() && !sha256.isEmpty(); }
    /** Reads the file now; invalid when it cannot be read. */
    static FileIdentity of(const QString &path, int kind, const QString &customer);
    /** The file on disk still holds the same bytes. */
    bool matchesDisk() const;
};

/** The state a recovery file holds: what a Restore puts back over the loaded file. */
struct RecoveredState
{
    FileIdentity file;
    QDateTime time;     // when it was written
    DocumentData state; // database, favourite names and hot keys only
};

/** The file's text for doc, which was loaded from file. */
QByteArray recoveryText(const DocumentData &doc, const FileIdentity &file, const QDateTime &time);

/**
 * Reads a recovery file's text. A text that is not JSON, or that does not
 * hold a consistent state for a known file, gives false with the reason.
 */
bool readRecoveryText(const QByteArray &text, RecoveredState &out, QString *error);

namespace Recovery {

/** The folder of the recovery files: "recovery" in the user's application data. */
QString folder();
/** The recovery file of the document file path, inside folder. */
QString filePathFor(const QString &folder, const QString &documentPath);
/** Where a Restore writes the state of a file that changed since: a JSON export beside it. */
QString exportPathFor(const QString &documentPath, const QDateTime &time);
/**
 * The lock an editor holds on the recovery file it keeps, so that another
 * editor's start leaves that file alone; a killed editor's lock is stale.
 */
QString lockPathFor(const QString &recoveryPath);
/** Moves a recovery file that cannot be read out of the way; the new path, or empty. */
QString setAside(const QString &recoveryPath);

} // namespace Recovery

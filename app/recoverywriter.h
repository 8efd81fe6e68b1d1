#pragma once

#include "recoveryfile.h"

#include <QElapsedTimer>
#include <QLockFile>
#include <QObject>
#include <QTimer>

#include <memory>

class Document;

/**
 * Keeps a recovery file of the document while it has unsaved changes: a few
 * seconds after the last step, never more often than every ten seconds,
 * from the event loop rather than from the edit. The file goes when the
 * changes are saved, undone or discarded and when the document closes.
 * Nothing is written from the crash handler: the last periodic file is what
 * survives a crash.
 */
class RecoveryWriter : public QObject
{
    Q_OBJECT

public:
    /** Writes into folder; the environment variable TAVRIN_RECOVERY_DELAY_MS, when set, replaces both delays (tests). */
    RecoveryWriter(Document *document, QString folder, QObject *parent = nullptr);

    /**
     * The document's file was loaded or saved just now: its bytes are what a
     * later restore is checked against.
     */
    void fileSettled();
    /** A restore put the state of recoveryPath back: that file is now this document's. */
    void adopt(const QString &recoveryPath);
    /** Writes now; false (reason in error) when the file could not be written. */
    bool writeNow(QString *error = nullptr);
    /** The file this document's state goes to: its own once written, otherwise a free name. */
    QString currentPath() const;

signals:
    void writeFailed(const QString &reason);

private:
    void stepTaken();
    void discard();
    void own(const QString &recoveryPath);

    Document *m_document;
    QString m_folder;
    FileIdentity m_file;
    QString m_written;                 // the recovery file this document wrote, until it goes
    std::unique_ptr<QLockFile> m_lock; // tells another editor's start that m_written is in use
    QTimer m_timer;
    QElapsedTimer m_lastWrite;
    QElapsedTimer m_pendingSince;
    int m_quietMs = 3000;
    int m_spacingMs = 10000;
};

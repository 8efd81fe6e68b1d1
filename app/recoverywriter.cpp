#include "recoverywriter.h"

#include "document.h"
#include "savefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

RecoveryWriter::RecoveryWriter(Document *document, QString folder, QObject *parent)
    : QObject(parent), m_document(document), m_folder(std::move(folder))
{
    bool set = false;
    const int delay = qEnvironmentVariableIntValue("TAVRIN_RECOVERY_DELAY_MS", &set);
    if (set && delay > 0)
        m_quietMs = m_spacingMs = delay;
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { writeNow(); });
    // Every step, undo and redo moves the index; a save or a discard only the clean state.
    connect(document->undoStack(), &QUndoStack::indexChanged, this, &RecoveryWriter::stepTaken);
    connect(document, &Document::modifiedChanged, this, &RecoveryWriter::stepTaken);
}

QString RecoveryWriter::currentPath() const
{
    if (!m_written.isEmpty() || !m_file.isValid())
        return m_written;
    // A file of this name that is not this document's waits for the next
    // start (Later, or another editor on the same file): it is never overwritten.
    const QString first = Recovery::filePathFor(m_folder, m_file.path);
    QString path = first;
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = first.chopped(5) + QStringLiteral("-%1.json").arg(n);
    return path;
}

void RecoveryWriter::fileSettled()
{
    if (m_document->path().isEmpty())
        return;
    m_file = FileIdentity::of(m_document->path(), m_document->kind(), m_document->customer());
}

void RecoveryWriter::adopt(const QString &recoveryPath)
{
    own(recoveryPath);
}

void RecoveryWriter::own(const QString &recoveryPath)
{
    if (m_written == recoveryPath && m_lock)
        return;
    m_written = recoveryPath;
    m_lock = std::make_unique<QLockFile>(Recovery::lockPathFor(recoveryPath));
    m_lock->setStaleLockTime(0); // held as long as this editor runs, however long that is
    m_lock->tryLock(0);
}

void RecoveryWriter::stepTaken()
{
    if (!m_document->isModified() || !m_document->hasDatabase()) {
        discard();
        return;
    }
    if (!m_file.isValid())
        return;
    // Each step pushes the write back, but never past the longest wait, so
    // that steady work is still kept.
    if (!m_timer.isActive())
        m_pendingSince.start();
    const qint64 spacingLeft = m_lastWrite.isValid() ? m_spacingMs - m_lastWrite.elapsed() : 0;
    const qint64 longestLeft = 3 * qint64(m_spacingMs) - m_pendingSince.elapsed();
    const qint64 wait = std::max({std::min<qint64>(m_quietMs, longestLeft), spacingLeft, qint64(0)});
    m_timer.start(int(wait));
}

void RecoveryWriter::discard()
{
    m_timer.stop();
    if (!m_written.isEmpty())
        QFile::remove(m_written);
    m_written.clear();
    m_lock.reset();
}

bool RecoveryWriter::writeNow(QString *error)
{
    m_timer.stop();
    if (!m_file.isValid() || !m_document->isModified() || !m_document->hasDatabase())
        return false;
    m_lastWrite.start();
    const QString path = currentPath();
    QString reason;
    const bool written = QDir().mkpath(m_folder)
        && ostrel::saveFileAtomically(path, recoveryText(m_document->data(), m_file, QDateTime::currentDateTime()),
                                      &reason);
    if (!written) {
        if (reason.isEmpty())
            reason = tr("%1: the folder cannot be made").arg(QDir::toNativeSeparators(m_folder));
        if (error)
            *error = reason;
        emit writeFailed(reason);
        return false;
    }
    own(path);
    return true;
}

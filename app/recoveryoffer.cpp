// The offer at start to put back the unsaved changes of an editor that did not exit cleanly.
#include "tavrin.h"

#include "dialogs.h"
#include "documentedits.h"
#include "recoverywriter.h"
#include "savefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QMessageBox>
#include <QPushButton>

namespace {

enum class Answer { Restore,
                    Discard,
                    Later };

// The editor's own files are a few megabytes; anything far larger is not one.
constexpr qint64 kLargestRecoveryFile = qint64(1) << 30;

bool readRecoveryFile(const QString &path, QByteArray *bytes, RecoveredState &out, QString *error)
{
    QFile file(path);
    if (file.size() > kLargestRecoveryFile) {
        *error = QCoreApplication::translate("Tavrin", "larger than any recovery file");
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    *bytes = file.readAll();
    return readRecoveryText(*bytes, out, error);
}

Answer askRestore(QWidget *parent, const RecoveredState &recovered, const QString &exportPath)
{
    const QString file = QDir::toNativeSeparators(recovered.file.path);
    QMessageBox box(QMessageBox::Question, QCoreApplication::translate("Tavrin", "Recovery"),
                    QCoreApplication::translate("Tavrin", "Unsaved changes to %1 from %2 were recovered. Restore them?")
                        .arg(file, recovered.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"))),
                    QMessageBox::NoButton, parent);
    QPushButton *restore = box.addButton(QCoreApplication::translate("Tavrin", "Restore"), QMessageBox::AcceptRole);
    QPushButton *discard = box.addButton(QCoreApplication::translate("Tavrin", "Discard"), QMessageBox::DestructiveRole);
    QPushButton *later = box.addButton(QCoreApplication::translate("Tavrin", "Later"), QMessageBox::RejectRole);
    box.setDefaultButton(restore);
    box.setEscapeButton(later);
    if (!exportPath.isEmpty())
        box.setInformativeText(QCoreApplication::translate("Tavrin", "%1 has changed since. Restore writes the changes to %2 beside it "
                                                                     "and leaves %1 as it is.")
                                   .arg(file, QDir::toNativeSeparators(exportPath)));
    box.exec();
    if (box.clickedButton() == restore)
        return Answer::Restore;
    return box.clickedButton() == discard ? Answer::Discard : Answer::Later;
}

} // namespace

bool Tavrin::offerRecovery()
{
    // Newest first; one restore fills the window, and the rest wait for the next start.
    const QFileInfoList entries = QDir(Recovery::folder())
                                      .entryInfoList({QStringLiteral("*.json")}, QDir::Files, QDir::Time);
    for (const QFileInfo &entry : entries) {
        const QString path = entry.absoluteFilePath();
        // An editor that still runs keeps its file; a killed one's lock is stale and taken over.
        QLockFile lock(Recovery::lockPathFor(path));
        lock.setStaleLockTime(0);
        if (!lock.tryLock(0))
            continue;
        QByteArray bytes;
        RecoveredState recovered;
        QString error;
        if (!readRecoveryFile(path, &bytes, recovered, &error)) {
            const QString aside = Recovery::setAside(path);
            m_dialogs->critical(this, tr("Recovery"),
                                tr("A recovery file could not be read and was set aside."),
                                QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(aside.isEmpty() ? path : aside), error));
            continue;
        }
        // A file that changed since would be overwritten by a save of the old state.
        const bool unchanged = recovered.file.matchesDisk();
        const QString exportPath = unchanged ? QString() : Recovery::exportPathFor(recovered.file.path, recovered.time);
        switch (askRestore(this, recovered, exportPath)) {
        case Answer::Later:
            continue;
        case Answer::Discard:
            QFile::remove(path);
            continue;
        case Answer::Restore:
            break;
        }
        if (!unchanged) {
            if (!ostrel::saveFileAtomically(exportPath, bytes, &error)) {
                m_dialogs->critical(this, tr("Recovery"),
                                    tr("The recovered changes could not be written."), error);
                continue;
            }
            QFile::remove(path);
            m_dialogs->about(this, tr("Recovery"),
                             tr("The recovered changes were written beside the file."),
                             QDir::toNativeSeparators(exportPath));
            continue;
        }
        openFile(recovered.file.path, recovered.file.customer);
        // An open that failed or was refused has said why; the file waits.
        if (!m_document->hasDatabase() || m_document->path() != recovered.file.path || m_document->isModified()
            || m_document->kind() != recovered.file.kind)
            continue;
        m_document->edits().restoreState(std::move(recovered.state));
        lock.unlock();
        m_recovery->adopt(path);
        return true;
    }
    return false;
}

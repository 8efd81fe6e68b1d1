#include "savefile.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#include <unistd.h>

#ifdef TAVRIN_TEST_HOOKS
#include <QFile>
#include <QThread>
#endif

namespace ostrel {

namespace {

bool fail(QString *errorString, const QString &path, const QString &reason)
{
    if (errorString)
        *errorString = QStringLiteral("%1: %2").arg(path, reason);
    return false;
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

#ifdef TAVRIN_TEST_HOOKS
// Test builds only: with TAVRIN_TEST_STALL_SAVE=MARKER a save stops halfway,
// creates MARKER and waits to be killed, so a test can interrupt a save.
void stallForTest()
{
    const QString marker = qEnvironmentVariable("TAVRIN_TEST_STALL_SAVE");
    if (marker.isEmpty())
        return;
    QFile(marker).open(QIODevice::WriteOnly);
    for (int i = 0; i < 600; ++i)
        QThread::msleep(100);
}
#endif

} // namespace

bool saveFileAtomically(const QString &path, const QByteArray &bytes, QString *errorString)
{
    // QSaveFile words this case in its own terms; the system's are what users know.
    if (QFileInfo(path).isDir())
        return fail(errorString, path, systemReason(EISDIR));

    // Unbuffered, so that every write reaches the system here and its failure
    // is seen: Qt 5's commit() does not notice a failed final flush and would
    // rename the short temporary file over the user's file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(errorString, path, file.errorString());

    qint64 written = 0;
    while (written < bytes.size()) {
        qint64 chunk = bytes.size() - written;
#ifdef TAVRIN_TEST_HOOKS
        if (written == 0 && qEnvironmentVariableIsSet("TAVRIN_TEST_STALL_SAVE"))
            chunk = qMax<qint64>(1, chunk / 2); // stall halfway, below
#endif
        const qint64 n = file.write(bytes.constData() + written, chunk);
        if (n <= 0) {
            const QString reason = file.errorString();
            file.cancelWriting();
            return fail(errorString, path, reason);
        }
        written += n;
#ifdef TAVRIN_TEST_HOOKS
        if (written < bytes.size())
            stallForTest();
#endif
    }
    // Some file systems report a full disk only when the data is flushed, and
    // commit() ignores the outcome of its own sync.
    if (::fsync(file.handle()) != 0) {
        const int error = errno;
        if (error != EINVAL && error != EROFS) { // no sync on this file system: nothing to learn
            file.cancelWriting();
            return fail(errorString, path, systemReason(error));
        }
    }
    if (!file.commit())
        return fail(errorString, path, file.errorString());
    return true;
}

} // namespace ostrel

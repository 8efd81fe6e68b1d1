#include "externaltool.h"

#include "installlayout.h"
#include "savefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace ostrel {

namespace {

// Named apart from xz-utils' lzma, which may stand in the same bin/.
const QString ToolName = QStringLiteral("tavrin-lzma");
// What the tool says on failure is its reason; a runaway tool is cut short.
constexpr int ToolMessageLimit = 1024;

// TAVRIN_KEEP_WORK=1 keeps each run's folder for a look at the working files.
bool keepWorkingFolders()
{
    return qEnvironmentVariable("TAVRIN_KEEP_WORK") == QLatin1String("1");
}

// The tool's words name its working files, which mean nothing to the user and
// are gone by now; the caller names the user's file instead.
QString withoutWorkingFiles(QString said, const QString &in, const QString &out)
{
    for (const QString &prefix : QStringList{ToolName + QStringLiteral(": "), in + QStringLiteral(": ")}) {
        if (said.startsWith(prefix))
            said.remove(0, prefix.size());
    }
    return said.replace(in, QStringLiteral("the input")).replace(out, QStringLiteral("the output"));
}

} // namespace

ExternalTool::ExternalTool()
    : ExternalTool(tavrin::besideOrInstalled(programDirectory(), ToolName,
                                             tavrin::installedLibraryDir(programDirectory())),
                   QString())
{
}

ExternalTool::ExternalTool(const QString &toolPath, const QString &tempRoot, int timeoutMs,
                           qint64 outputLimit)
    : m_toolPath(toolPath), m_tempRoot(tempRoot), m_timeoutMs(timeoutMs), m_outputLimit(outputLimit)
{
}

QString ExternalTool::programDirectory()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath();
}

bool ExternalTool::unpack(const QByteArray &packed, QByteArray &image)
{
    return run("d", packedName(), unpackedName(), packed, image);
}

bool ExternalTool::pack(const QByteArray &image, QByteArray &packed)
{
    return run("e", unpackedName(), packedName(), image, packed);
}

bool ExternalTool::fail(Status status, const QString &reason)
{
    m_status = status;
    m_error = reason;
    return false;
}

bool ExternalTool::run(const char *mode, const QString &inName, const QString &outName,
                       const QByteArray &input, QByteArray &output)
{
    output.clear();
    m_error.clear();
    const QString root = m_tempRoot.isEmpty() ? QDir::tempPath() : m_tempRoot;
    // Qt names no folder at all when TMPDIR does not exist; never fall back to "/".
    if (root.isEmpty())
        return fail(InputNotWritten, QStringLiteral("TMPDIR %1: %2").arg(qEnvironmentVariable("TMPDIR"), QString::fromLocal8Bit(std::strerror(ENOENT))));
    QTemporaryDir work(root + QStringLiteral("/tavrin-work-XXXXXX"));
    if (!work.isValid())
        return fail(InputNotWritten, QStringLiteral("%1: %2").arg(root, work.errorString()));
    if (keepWorkingFolders()) {
        work.setAutoRemove(false);
        std::fprintf(stderr, "tavrin: working files kept in %s\n", qPrintable(work.path()));
    }
    const QString in = work.filePath(inName);
    const QString out = work.filePath(outName);

    QString reason;
    if (!saveFileAtomically(in, input, &reason))
        return fail(InputNotWritten, reason);

    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(m_toolPath, {QString::fromLatin1(mode), in, out});
    if (!process.waitForStarted(m_timeoutMs))
        return fail(ToolNotStarted, QStringLiteral("%1: %2").arg(m_toolPath, process.errorString()));
    if (!process.waitForFinished(m_timeoutMs)) {
        process.kill();
        process.waitForFinished(-1);
        return fail(TimedOut, QStringLiteral("%1 ran over %2 ms and was stopped").arg(m_toolPath).arg(m_timeoutMs));
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        const QString said = QString::fromLocal8Bit(process.readAllStandardError().left(ToolMessageLimit)).trimmed();
        return fail(ToolFailed, said.isEmpty() ? QStringLiteral("%1 failed").arg(m_toolPath) : withoutWorkingFiles(said, in, out));
    }
    QFile result(out);
    if (!result.open(QIODevice::ReadOnly))
        return fail(OutputMissing, QStringLiteral("%1: %2").arg(out, result.errorString()));
    // A small packed file can claim gigabytes; the library must not try to hold them.
    if (result.size() > m_outputLimit)
        return fail(OutputTooLarge, QStringLiteral("%1: larger than %2 bytes").arg(out).arg(m_outputLimit));
    output = result.readAll();
    if (result.error() != QFileDevice::NoError) {
        output.clear();
        return fail(OutputMissing, QStringLiteral("%1: %2").arg(out, result.errorString()));
    }
    m_status = Ok;
    return true;
}

} // namespace ostrel

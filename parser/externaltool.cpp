#include "externaltool.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace ostrel {

namespace {

const QString PackedName = QStringLiteral("preset.7z");
const QString UnpackedName = QStringLiteral("preset");
const QString ToolName = QStringLiteral("lzma");

bool writeWhole(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
           && file.write(data) == data.size() && file.flush();
}

} // namespace

ExternalTool::ExternalTool()
    : ExternalTool(programDirectory() + QLatin1Char('/') + ToolName, programDirectory())
{
}

ExternalTool::ExternalTool(const QString &toolPath, const QString &workDir, int timeoutMs,
                           qint64 outputLimit)
    : m_toolPath(toolPath), m_workDir(workDir), m_timeoutMs(timeoutMs), m_outputLimit(outputLimit)
{
}

QString ExternalTool::packedPath() const
{
    return m_workDir + QLatin1Char('/') + PackedName;
}

QString ExternalTool::unpackedPath() const
{
    return m_workDir + QLatin1Char('/') + UnpackedName;
}

QString ExternalTool::programDirectory()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath();
}

bool ExternalTool::unpack(const QByteArray &packed, QByteArray &image)
{
    return run("d", packedPath(), unpackedPath(), packed, image);
}

bool ExternalTool::pack(const QByteArray &image, QByteArray &packed)
{
    return run("e", unpackedPath(), packedPath(), image, packed);
}

bool ExternalTool::run(const char *mode, const QString &in, const QString &out,
                       const QByteArray &input, QByteArray &output)
{
    output.clear();
    // A stale output from an earlier run must never pass for this run's.
    QFile::remove(packedPath());
    QFile::remove(unpackedPath());
    if (!writeWhole(in, input)) {
        m_status = InputNotWritten;
        return false;
    }

    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(m_toolPath, {QString::fromLatin1(mode), in, out});
    if (!process.waitForStarted(m_timeoutMs)) {
        m_status = ToolNotStarted;
        return false;
    }
    if (!process.waitForFinished(m_timeoutMs)) {
        process.kill();
        process.waitForFinished(-1);
        QFile::remove(out);  // whatever a killed tool left is not to be trusted
        m_status = TimedOut;
        return false;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        m_status = ToolFailed;
        return false;
    }
    QFile result(out);
    if (!result.open(QIODevice::ReadOnly)) {
        m_status = OutputMissing;
        return false;
    }
    // A small packed file can claim gigabytes; the library must not try to hold them.
    if (result.size() > m_outputLimit) {
        m_status = OutputTooLarge;
        return false;
    }
    output = result.readAll();
    if (result.error() != QFileDevice::NoError) {
        output.clear();
        m_status = OutputMissing;
        return false;
    }
    m_status = Ok;
    return true;
}

} // namespace ostrel

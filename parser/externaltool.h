#pragma once
// Packs and unpacks preset data by running tavrin-lzma, the tool that ships
// with the program. The tool is started directly with an argument list (no
// shell) and killed when it runs over the time limit. Each run works in a private
// temporary folder of its own, removed afterwards, so that an installed
// program never writes into its own folder and two programs running at once
// never share a working file.

#include <QByteArray>
#include <QString>

namespace ostrel {

class ExternalTool
{
public:
    enum Status {
        Ok,
        InputNotWritten, // the working folder or file could not be created
        ToolNotStarted,  // missing or not executable
        TimedOut,        // killed after the time limit
        ToolFailed,      // crashed or exited with a non-zero status
        OutputMissing,   // the tool left no output file
        OutputTooLarge,  // far beyond any preset: not read into memory
    };

    static constexpr int DefaultTimeoutMs = 30000;
    static constexpr qint64 DefaultOutputLimit = qint64(64) * 1024 * 1024;

    // tavrin-lzma shipped with the program (beside it, or in lib/tavrin of
    // an installed tree); working folders under the system's temporary folder
    // (TMPDIR, else /tmp).
    ExternalTool();
    // Another tool, and working folders under tempRoot (empty: the system's).
    ExternalTool(const QString &toolPath, const QString &tempRoot,
                 int timeoutMs = DefaultTimeoutMs, qint64 outputLimit = DefaultOutputLimit);

    bool unpack(const QByteArray &packed, QByteArray &image);
    bool pack(const QByteArray &image, QByteArray &packed);
    Status lastStatus() const { return m_status; }
    // Why the last run failed, with the system's or the tool's own words.
    QString errorString() const { return m_error; }
    QString toolPath() const { return m_toolPath; }

    // Names of the working files inside a run's folder.
    static QString packedName() { return QStringLiteral("preset.7z"); }
    static QString unpackedName() { return QStringLiteral("preset"); }

    // The folder of the running program: the application's when one exists,
    // else the folder of /proc/self/exe.
    static QString programDirectory();

private:
    bool run(const char *mode, const QString &inName, const QString &outName,
             const QByteArray &input, QByteArray &output);
    bool fail(Status status, const QString &reason);

    QString m_toolPath;
    QString m_tempRoot;
    int m_timeoutMs;
    qint64 m_outputLimit;
    Status m_status = Ok;
    QString m_error;
};

} // namespace ostrel

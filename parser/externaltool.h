#pragma once
// Packs and unpacks preset data by running the lzma tool that ships next to
// the program. The tool is started directly with an argument list (no shell)
// and killed when it runs over the time limit.

#include <QByteArray>
#include <QString>

namespace ostrel {

class ExternalTool
{
public:
    enum Status {
        Ok,
        InputNotWritten,  // the working file could not be created
        ToolNotStarted,   // missing or not executable
        TimedOut,         // killed after the time limit
        ToolFailed,       // crashed or exited with a non-zero status
        OutputMissing,    // the tool left no output file
        OutputTooLarge,   // far beyond any preset: not read into memory
    };

    static constexpr int DefaultTimeoutMs = 30000;
    static constexpr qint64 DefaultOutputLimit = 64 * 1024 * 1024;

    // The lzma tool and the working files in the program's own folder.
    ExternalTool();
    // Another tool and working folder, for tests and for callers that must
    // not share the program folder.
    ExternalTool(const QString &toolPath, const QString &workDir,
                 int timeoutMs = DefaultTimeoutMs, qint64 outputLimit = DefaultOutputLimit);

    // Working files, left in the working folder after each run.
    QString packedPath() const;    // "preset.7z"
    QString unpackedPath() const;  // "preset"
    QString workDir() const { return m_workDir; }

    bool unpack(const QByteArray &packed, QByteArray &image);
    bool pack(const QByteArray &image, QByteArray &packed);
    Status lastStatus() const { return m_status; }

    // The folder of the running program: the application's when one exists,
    // else the folder of /proc/self/exe.
    static QString programDirectory();

private:
    bool run(const char *mode, const QString &in, const QString &out,
             const QByteArray &input, QByteArray &output);

    QString m_toolPath;
    QString m_workDir;
    int m_timeoutMs;
    qint64 m_outputLimit;
    Status m_status = Ok;
};

} // namespace ostrel

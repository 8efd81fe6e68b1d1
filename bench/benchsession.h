#pragma once
// One benchmark database at one size: its dump on disk, the bound parser
// library, the loaded document and the tree and table showing it, each made
// on first use so that a benchmark can start from any of them.

#include "document.h"
#include "parserlibrary.h"

#include <QString>

#include <memory>

class DBTreeWidget;
class QDBProgramWidget;
class QLineEdit;
class QPushButton;
class QWidget;

class BenchSession
{
public:
    BenchSession(const QString &libraryName, const QString &dumpPath, const QString &savePath);
    ~BenchSession();
    BenchSession(const BenchSession &) = delete;
    BenchSession &operator=(const BenchSession &) = delete;

    const QString &dumpPath() const { return m_dumpPath; }
    const QString &savePath() const { return m_savePath; }
    QString errorString() const { return m_error; }

    // Bound on construction; false when the library could not be loaded.
    bool isBound() const { return m_library.isLoaded(); }
    ParserLibrary &library() { return m_library; }

    // The dump loaded through the binding; false with errorString() set on failure.
    bool ensureLoaded();
    Document &document() { return m_doc; }
    // Widgets go first (they point into the document), then the parser's memory.
    void releaseDocument();

    // Tree and table in one shown window, both given the loaded document.
    bool ensureWidgets();
    void dropWidgets();
    DBTreeWidget *tree() const { return m_tree; }
    QDBProgramWidget *table() const { return m_table; }
    QLineEdit *filterEdit() const;
    QLineEdit *findEdit() const;
    QPushButton *findNextButton() const;

    // The satellite and the TP that hold the most programmes.
    quint32 biggestSat() const;
    std::pair<quint32, quint32> biggestTp() const;

private:
    QString m_dumpPath;
    QString m_savePath;
    QString m_error;
    ParserLibrary m_library;
    Document m_doc;
    std::unique_ptr<QWidget> m_window;
    DBTreeWidget *m_tree = nullptr;
    QDBProgramWidget *m_table = nullptr;
};

#pragma once

#include "documentdata.h"
#include "filetyperegistry.h"

#include <QMainWindow>
#include <QString>

#include <memory>

class Dialogs;
class ParserLibrary;
enum class SaveOutcome;

namespace Ui {
class TavrinClass;
}

/**
 * The editor's main window: the satellite tree on the left, the programme
 * table on the right, and the document they both edit. Owns the document
 * (database, templates, lists) and the bound parser library; the tree and the
 * table hold pointers into the document and never free them.
 */
class Tavrin : public QMainWindow
{
    Q_OBJECT

public:
    explicit Tavrin(QWidget *parent = nullptr);
    /**
     * Reads the registry and the remembered folders from iniPath and shows
     * every file dialog and message through dialogs (not owned; null for the
     * real ones).
     */
    Tavrin(const QString &iniPath, Dialogs *dialogs, QWidget *parent = nullptr);
    ~Tavrin() override;

    /** Opens path as File, Open does once a file was picked. */
    void openFile(const QString &path);
    /** The program's arguments: a file after the program name is opened. */
    void openFromArguments(const QStringList &arguments);

    QString filePath() const { return m_filePath; }
    int fileKind() const { return m_fileKind; }
    const FileTypeRegistry &registry() const { return m_registry; }
    const DocumentData &document() const { return m_doc; }
    const ParserLibrary *parserLibrary() const { return m_library.get(); }
    bool hasUnsavedChanges() const;

public slots:
    void slotOpen();
    void slotSave();
    void slotSaveAs();
    void slotClose();
    void slotExit();
    void slotAbout();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void connectWidgets();
    bool confirmDiscard();
    bool closeDocument();
    void releaseDocument(bool releaseLibrary);
    void reportSave(SaveOutcome outcome);
    void setChanged(bool changed);
    QString startFolder(const QString &key) const;
    void rememberFolder(const QString &key, const QString &filePath);

    std::unique_ptr<Ui::TavrinClass> ui;
    QString m_filePath;
    int m_fileKind = 0;
    QString m_iniPath;
    FileTypeRegistry m_registry;
    DocumentData m_doc;
    std::unique_ptr<ParserLibrary> m_library;
    std::unique_ptr<Dialogs> m_ownDialogs;
    Dialogs *m_dialogs = nullptr;
};

#pragma once

#include "document.h"
#include "editoutcome.h"
#include "filetyperegistry.h"

#include <QMainWindow>
#include <QString>

#include <memory>

class Dialogs;
class ParserLibrary;
class QModelIndex;
class QLabel;
class QMenu;
class RecoveryWriter;
enum class SaveOutcome;

namespace Ui {
class TavrinClass;
}

/**
 * The editor's main window: the satellite tree on the left, the programme
 * table on the right, and the document they both show. Owns the document and
 * the bound parser library, runs the file flow, and offers the document's
 * undo history in the Edit menu.
 */
class Tavrin : public QMainWindow
{
    Q_OBJECT

public:
    explicit Tavrin(QWidget *parent = nullptr);
    /**
     * Reads the registry from iniPath (the remembered folders are per-user
     * settings, see UserSettings) and shows
     * every file dialog and message through dialogs (not owned; null for the
     * real ones).
     */
    Tavrin(const QString &iniPath, Dialogs *dialogs, QWidget *parent = nullptr);
    ~Tavrin() override;

    /** Opens path as File, Open does once a file was picked; a flash image's customer given is not asked for. */
    void openFile(const QString &path, const QString &customer = QString());
    /** The program's arguments: a file after the program name is opened. */
    void openFromArguments(const QStringList &arguments);

    /** The opened file as the library takes it ("customer;path" for flash images). */
    QString filePath() const { return m_document->parserPath(); }
    int fileKind() const { return m_document->kind(); }
    const FileTypeRegistry &registry() const { return m_registry; }
    Document *document() const { return m_document; }
    const ParserLibrary *parserLibrary() const { return m_library.get(); }
    bool hasUnsavedChanges() const;
    /**
     * At start: offers each recovery file left by an editor that did not
     * exit cleanly. True when one was restored into the window.
     */
    bool offerRecovery();
    RecoveryWriter *recoveryWriter() const { return m_recovery; }

public slots:
    void slotOpen();
    void slotSave();
    void slotSaveAs();
    void slotClose();
    void slotExit();
    void slotAbout();
    void slotExportList();
    // The Edit menu's list operations (orderactions.cpp).
    void slotFindDuplicates();
    void slotSort();
    void slotOrderLike();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void connectWidgets();
    void createEditMenu();
    void createViewMenu();
    void addOrderActions(QMenu *menu);
    // A refusal in a message box, anything else in the status bar.
    void reportOrderEdit(const QString &title, const EditValue<QString> &outcome);
    // Asks about unsaved changes before open, close and exit; false stops them.
    bool settleUnsavedChanges();
    void releaseDocument();
    void rebindOpenFile();
    // Each true when the document was saved.
    bool save();
    bool saveAs();
    void reportSave(SaveOutcome outcome, int kind);
    QString openFilter() const;
    void createFileExtras();
    void createStatusBar();
    void fillRecentMenu();
    void openRecent(const QString &path);
    QString takeSafetyCopy(const QString &target);
    SaveOutcome saveTo(const QString &path, int kind, const QString &customer);
    void followDocument();
    void updateFileActions();
    void updateWindowTitle();
    void scheduleStatusUpdate();
    void updateStatus();
    QString viewStatusText() const;
    void rememberView();
    void renameView();
    void nameViewAfter(const QModelIndex &index);
    // one and many hold %1 for the count; many is looked up by the count for languages with several plurals.
    static QString counted(int n, const QString &one, const QString &many);
    QString startFolder(const QString &key) const;
    void rememberFolder(const QString &key, const QString &filePath);

    std::unique_ptr<Ui::TavrinClass> ui;
    QString m_iniPath;
    FileTypeRegistry m_registry;
    Document *m_document = nullptr;
    int m_lastSaveResult = -1; // what the library's Save returned last
    std::unique_ptr<ParserLibrary> m_library;
    std::unique_ptr<Dialogs> m_ownDialogs;
    Dialogs *m_dialogs = nullptr;
    // The opened file still waiting for its safety copy; empty once taken.
    QString m_safetyCopyFor;
    RecoveryWriter *m_recovery = nullptr;
    QMenu *m_recentMenu = nullptr;
    QLabel *m_viewStatus = nullptr;
    QLabel *m_fileStatus = nullptr;
    bool m_statusPending = false;
    QString m_viewName; // what the tree selected for the table
    // The tree row that names the view: its kind, id and its parent's id
    // (TP ids are unique within their satellite only).
    int m_viewKind = 0;
    quint32 m_viewId = 0;
    quint32 m_viewParentId = 0;
};

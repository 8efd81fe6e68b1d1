#include "tavrin.h"

#include "busystatus.h"
#include "dialogs.h"
#include "documentio.h"
#include "flashcustomchosedialog.h"
#include "parserlibrary.h"
#include "savefile.h"
#include "recentfiles.h"
#include "recoverywriter.h"
#include "safetycopy.h"
#include "tablecsv.h"
#include "textcapacities.h"
#include "usersettings.h"
#include "ui_tavrin.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QStatusBar>
#include <QTimer>
#include <QKeySequence>
#include <QMenu>
#include <QUndoStack>

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

// The icons live in a static library: their resources must be registered by hand.
static void initResources()
{
    Q_INIT_RESOURCE(tavrin);
}

namespace {

const QString kLastOpenDir = QStringLiteral("lastopendir");
const QString kLastSaveDir = QStringLiteral("lastsavdir");

// A name typed without an extension gets the one of the chosen filter ("UserDB file(*.udf)").
QString withFilterSuffix(const QString &path, const QString &filter)
{
    if (!QFileInfo(path).suffix().isEmpty())
        return path;
    static const QRegularExpression pattern(QStringLiteral("\\*\\.([A-Za-z0-9]+)"));
    const QRegularExpressionMatch match = pattern.match(filter);
    return match.hasMatch() ? path + QLatin1Char('.') + match.captured(1) : path;
}

// The texts a save cut, for the save message; a long list is shortened.
QString cutTextReport(const QStringList &lines)
{
    if (lines.isEmpty())
        return QString();
    const int shown = 10;
    QStringList report{QCoreApplication::translate("Tavrin", "These texts did not fit the file and were cut:")};
    report << lines.mid(0, shown);
    if (lines.size() > shown)
        report << QCoreApplication::translate("Tavrin", "and %1 more", nullptr, lines.size() - shown).arg(lines.size() - shown);
    return report.join(QLatin1Char('\n'));
}

// Default databases and flash images run the lzma tool on every load and save.
bool usesLzma(int kind)
{
    return kind == OstrelFlashImage || kind == OstrelDefaultDatabase;
}

} // namespace

Tavrin::Tavrin(QWidget *parent)
    : Tavrin(FileTypeRegistry::defaultIniPath(), nullptr, parent)
{
}

Tavrin::Tavrin(const QString &iniPath, Dialogs *dialogs, QWidget *parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::TavrinClass>())
    , m_iniPath(iniPath)
    , m_document(new Document(this))
    , m_dialogs(dialogs)
{
    if (!m_dialogs) {
        m_ownDialogs = std::make_unique<StandardDialogs>();
        m_dialogs = m_ownDialogs.get();
    }
    initResources();
    ui->setupUi(this);
    ui->splitter->setStretchFactor(1, 1);

    ui->comboBox->addItem(tr("SAT"));
    ui->comboBox->addItem(tr("TP"));
    ui->mainToolBar->addAction(ui->actionOpen);
    ui->mainToolBar->addAction(ui->actionSave);
    ui->mainToolBar->addAction(ui->actionSave_As);

    createEditMenu();
    createViewMenu();
    createFileExtras();
    connectWidgets();
    followDocument();
    m_registry = FileTypeRegistry::fromFile(m_iniPath);
    m_recovery = new RecoveryWriter(m_document, Recovery::folder(), this);
    connect(m_recovery, &RecoveryWriter::writeFailed, this, [this](const QString &reason) {
        ui->statusBar->showMessage(tr("The recovery file could not be written: %1").arg(reason), 10000);
    });
}

Tavrin::~Tavrin()
{
    // The children die after this body, when this is no longer a Tavrin:
    // nothing of theirs may call back into it then.
    disconnect(ui->programWidget->model(), nullptr, this, nullptr);
    disconnect(ui->dbTreeWidget, nullptr, this, nullptr);
    disconnect(ui->programWidget, nullptr, this, nullptr);
    ui->dbTreeWidget->setDocument(nullptr);
    ui->programWidget->setDocument(nullptr);
    m_document->clear();
    disconnect(m_document, nullptr, this, nullptr);
    if (m_library) {
        m_library->clean();
        m_library->unload();
    }
}

void Tavrin::createEditMenu()
{
    QUndoStack *stack = m_document->undoStack();
    // Qt's own "Undo %1" reads "Undo" + the step in English, and its
    // translations put the step where each language wants it.
    QAction *undo = stack->createUndoAction(this);
    undo->setObjectName(QStringLiteral("actionUndo"));
    undo->setShortcut(QKeySequence::Undo);
    undo->setIcon(QIcon(QStringLiteral(":/Tavrin/resources/undo.png")));
    QAction *redo = stack->createRedoAction(this);
    redo->setObjectName(QStringLiteral("actionRedo"));
    redo->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});
    redo->setIcon(QIcon(QStringLiteral(":/Tavrin/resources/redo.png")));

    auto *menu = new QMenu(tr("&Edit"), this);
    menu->setObjectName(QStringLiteral("menuEdit"));
    menu->addAction(undo);
    menu->addAction(redo);
    addOrderActions(menu);
    ui->menuBar->insertMenu(ui->menuHelp->menuAction(), menu);
    ui->mainToolBar->addSeparator();
    ui->mainToolBar->addAction(undo);
    ui->mainToolBar->addAction(redo);
}

void Tavrin::createFileExtras()
{
    m_recentMenu = new QMenu(tr("Open &Recent"), this);
    m_recentMenu->setObjectName(QStringLiteral("menuRecent"));
    connect(m_recentMenu, &QMenu::aboutToShow, this, &Tavrin::fillRecentMenu);
    ui->menuFile->insertMenu(ui->actionSave, m_recentMenu);
    fillRecentMenu();

    auto *exportList = new QAction(tr("Export List\u2026"), this);
    exportList->setObjectName(QStringLiteral("actionExportList"));
    connect(exportList, &QAction::triggered, this, &Tavrin::slotExportList);
    ui->menuFile->insertAction(ui->actionClose, exportList);

    createStatusBar();
}

void Tavrin::fillRecentMenu()
{
    m_recentMenu->clear();
    const QStringList files = RecentFiles::list();
    if (files.isEmpty()) {
        m_recentMenu->addAction(tr("(none)"))->setEnabled(false);
        return;
    }
    for (const QString &path : files) {
        QAction *entry = m_recentMenu->addAction(QDir::toNativeSeparators(path));
        connect(entry, &QAction::triggered, this, [this, path] { openRecent(path); });
    }
}

void Tavrin::openRecent(const QString &path)
{
    if (!QFileInfo(path).isFile()) {
        // The menu is filled again each time it opens: its action is still running here.
        RecentFiles::remove(path);
        m_dialogs->critical(this, tr("Open Recent"),
                            tr("The file is no longer there and was taken off the list."),
                            QDir::toNativeSeparators(path));
        return;
    }
    openFile(path);
}

void Tavrin::slotExportList()
{
    const QAbstractItemModel *table = ui->programWidget->model();
    if (!m_document->hasDatabase() || table->columnCount() == 0)
        return;
    const QString proposed = QDir(startFolder(kLastSaveDir)).filePath(QFileInfo(m_document->path()).completeBaseName() + QStringLiteral(".csv"));
    QString path = m_dialogs->getSaveFileName(this, tr("Export List"), proposed,
                                              tr("CSV file (*.csv)"));
    if (path.trimmed().isEmpty())
        return;
    path = withFilterSuffix(path, tr("CSV file (*.csv)"));

    QString error;
    if (!ostrel::saveFileAtomically(path, tableCsv(*table), &error)) {
        m_dialogs->critical(this, tr("Export List"), tr("Export Error!"), error);
        return;
    }
    ui->statusBar->showMessage(tr("Exported %1 to %2").arg(counted(table->rowCount(), tr("%1 row"), tr("%1 rows", nullptr, table->rowCount())), QDir::toNativeSeparators(path)), 10000);
}

QString Tavrin::takeSafetyCopy(const QString &target)
{
    if (m_safetyCopyFor.isEmpty() || QFileInfo(target).absoluteFilePath() != QFileInfo(m_safetyCopyFor).absoluteFilePath())
        return QString();
    // Once per opened document: the copy keeps the file as it was loaded.
    const QString path = std::exchange(m_safetyCopyFor, QString());
    const QString copy = QDir::toNativeSeparators(path + QStringLiteral(".bak"));
    QString error;
    switch (writeSafetyCopy(path, &error)) {
    case SafetyCopy::Written:
        return tr("Safety copy written: %1").arg(copy);
    case SafetyCopy::Kept:
        return tr("Safety copy kept: %1 already exists and was not replaced").arg(copy);
    case SafetyCopy::ReadOnly:
        return tr("No safety copy: %1 is read-only").arg(QDir::toNativeSeparators(path));
    case SafetyCopy::Failed:
        break;
    }
    return tr("The safety copy %1 could not be written: %2").arg(copy, error);
}

SaveOutcome Tavrin::saveTo(const QString &path, int kind, const QString &customer)
{
    const QString safetyMessage = takeSafetyCopy(path);
    SaveOutcome outcome;
    {
        BusyStatus busy(ui->statusBar, usesLzma(kind), tr("Packing\u2026"));
        outcome = m_document->save(m_library.get(), m_registry.libraryByType.value(kind), path, kind, customer,
                                   &m_lastSaveResult);
    }
    if (!safetyMessage.isEmpty())
        ui->statusBar->showMessage(safetyMessage, 10000);
    if (outcome == SaveOutcome::Saved)
        m_recovery->fileSettled();
    return outcome;
}

void Tavrin::connectWidgets()
{
    DBTreeWidget *tree = ui->dbTreeWidget;
    QDBProgramWidget *table = ui->programWidget;
    tree->setDocument(m_document);
    table->setDocument(m_document);
    connect(ui->actionOpen, &QAction::triggered, this, &Tavrin::slotOpen);
    connect(ui->actionSave, &QAction::triggered, this, &Tavrin::slotSave);
    connect(ui->actionSave_As, &QAction::triggered, this, &Tavrin::slotSaveAs);
    connect(ui->actionClose, &QAction::triggered, this, &Tavrin::slotClose);
    connect(ui->actionExit, &QAction::triggered, this, &Tavrin::slotExit);
    connect(tree, &DBTreeWidget::signal_allsrv_selected, table, &QDBProgramWidget::allSrvSelected);
    connect(tree, &DBTreeWidget::signal_sat_selected, table, &QDBProgramWidget::satSelected);
    connect(tree, &DBTreeWidget::signal_allsat_selected, table, &QDBProgramWidget::allSatSelected);
    connect(tree, &DBTreeWidget::signal_fav_selected, table, &QDBProgramWidget::favSelected);
    connect(tree, &DBTreeWidget::signal_tp_selected, table, &QDBProgramWidget::tpSelected);
    connect(tree, &DBTreeWidget::signal_hotkey_selected, table, &QDBProgramWidget::hotkeySelected);
    connect(tree, &DBTreeWidget::signal_favhotkey_selected, table, &QDBProgramWidget::favhotkeySelected);
    connect(ui->lineEdit_leftFilter, &QLineEdit::textChanged, tree, &DBTreeWidget::slotFilterChanged);
    connect(table, &QDBProgramWidget::pgSelected, tree, &DBTreeWidget::slotPGSelected);
    connect(ui->actionAbout, &QAction::triggered, this, &Tavrin::slotAbout);
    connect(ui->comboBox, QOverload<int>::of(&QComboBox::currentIndexChanged), tree,
            &DBTreeWidget::slotSearchTypeChanged);
}

bool Tavrin::hasUnsavedChanges() const
{
    return m_document->isModified();
}

QString Tavrin::startFolder(const QString &key) const
{
    const QString folder = UserSettings().value(key).toString();
    return folder.isEmpty() ? QDir::homePath() : folder;
}

void Tavrin::rememberFolder(const QString &key, const QString &filePath)
{
    UserSettings().setValue(key, QFileInfo(filePath).absolutePath());
}

QString Tavrin::openFilter() const
{
    QStringList patterns;
    for (const QString &extension : m_registry.libraryByExtension.keys())
        patterns << QStringLiteral("*.") + extension;
    QString described = m_registry.openFilter();
    if (patterns.isEmpty())
        return described;
    return tr("All supported files (%1);;").arg(patterns.join(QLatin1Char(' '))) + described;
}

void Tavrin::slotOpen()
{
    openFile(m_dialogs->getOpenFileName(this, tr("Open File"), startFolder(kLastOpenDir), openFilter()));
}

void Tavrin::openFromArguments(const QStringList &arguments)
{
    if (arguments.size() < 2)
        return;
    // A restore at start may have opened this very file already, with its changes.
    const QString path = QFileInfo(arguments.at(1)).canonicalFilePath();
    if (m_document->hasDatabase() && !path.isEmpty() && path == QFileInfo(m_document->path()).canonicalFilePath())
        return;
    openFile(arguments.at(1));
}

void Tavrin::openFile(const QString &picked, const QString &givenCustomer)
{
    if (picked.isEmpty() || !QFileInfo(picked).isFile())
        return;
    rememberFolder(kLastOpenDir, picked);

    // The picked path and kind stay local until the open really proceeds, so a
    // cancelled customer choice leaves the loaded document saving where it came from.
    const int kind = m_registry.kindForPath(picked);
    QString customer = givenCustomer;
    if (kind == OstrelFlashImage && customer.isEmpty()) {
        FlashCustomChoseDialog dialog(this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        customer = dialog.customer;
    }
    if (!m_library)
        m_library = std::make_unique<ParserLibrary>();
    // Cancelling the question stops the open: the document, its edits, the
    // change flag and the title stay as they were.
    if (!settleUnsavedChanges())
        return;

    // The open document stays until the new file has loaded: a file that does
    // not load changes nothing.
    const QString libraryName = m_registry.libraryForPath(picked);
    if (libraryName.isEmpty() || !m_library->bind(libraryName)) {
        // A library that failed to bind took the open file's library with it.
        if (!libraryName.isEmpty())
            rebindOpenFile();
        m_dialogs->critical(nullptr, tr("Load File"), tr("This file isn't supported yet"));
        return;
    }
    LoadStatus status;
    {
        // The load blocks the loop: the window is painted first, with a busy
        // cursor and a message, so that it is not left black while the file is read.
        const QString name = QFileInfo(picked).fileName();
        BusyStatus busy(ui->statusBar, true,
                        usesLzma(kind) ? tr("Unpacking\u2026") : tr("Loading %1...").arg(name));
        repaint();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        status = m_document->load(*m_library, picked, kind, customer);
    }
    if (status != LoadStatus::Loaded) {
        // The reader's reason tells a damaged file from a file of another kind.
        const QString reason = m_library->errorText();
        rebindOpenFile();
        if (status == LoadStatus::LoadError)
            m_dialogs->critical(nullptr, tr("Load File"), tr("Load Error!"), reason);
        return;
    }
    m_recovery->fileSettled();
    ui->lineEdit_leftFilter->clear();
    m_safetyCopyFor = picked;
    RecentFiles::add(picked);
    // Show the list at once rather than an empty table.
    const QModelIndex allServices = ui->dbTreeWidget->treeModel()->rootIndex(AllServicesRoot);
    if (allServices.isValid())
        ui->dbTreeWidget->setCurrentIndex(allServices);
}

void Tavrin::rebindOpenFile()
{
    // Trying another file made the library forget the open one, and a save
    // reuses what it kept of it (a dump's header and trailing block, an
    // image's other blocks): it reads that file again. The document keeps
    // its own data, edits and history.
    if (!m_document->hasDatabase())
        return;
    const int kind = m_document->kind();
    const QString libraryName = m_registry.libraryForPath(m_document->path());
    DocumentSummary unused;
    bool read = false;
    {
        BusyStatus busy(ui->statusBar, usesLzma(kind), tr("Unpacking\u2026"));
        read = !libraryName.isEmpty() && m_library->bind(libraryName)
            && loadSummary(*m_library, kind, m_document->parserPath(), unused) == LoadStatus::Loaded;
    }
    if (!read)
        ui->statusBar->showMessage(tr("%1 could not be read again: a save may leave out what the window does not show")
                                       .arg(QDir::toNativeSeparators(m_document->path())));
}

void Tavrin::slotSave()
{
    save();
}

bool Tavrin::save()
{
    if (m_document->path().isEmpty() || !m_document->hasDatabase())
        return false;
    const int kind = m_document->kind();
    const SaveOutcome outcome = saveTo(m_document->path(), kind, m_document->customer());
    reportSave(outcome, kind);
    return outcome == SaveOutcome::Saved;
}

void Tavrin::slotSaveAs()
{
    saveAs();
}

bool Tavrin::saveAs()
{
    if (!m_document->hasDatabase())
        return false;

    const QString filePath = m_document->parserPath();
    QString filter;
    switch (m_registry.kindForPath(filePath)) {
    case OstrelFlashImage:
        if (filePath.contains(QLatin1String("userdb;")))
            filter = tr("Bin file(*.abs);;UserDB file(*.udf)");
        else if (filePath.contains(QLatin1String("defaultdb;")))
            filter = tr("Bin file(*.abs);;DefaultDB file(*.ddf)");
        break;
    case OstrelUserDump:
        filter = tr("UserDB file(*.udf)");
        break;
    case OstrelDefaultDatabase:
        filter = tr("DefaultDB file(*.ddf)");
        break;
    default:
        break;
    }
    if (filter.isEmpty())
        return false;

    // A copy is most often wanted beside the file it is made from; the last save
    // folder only helps when there is no such file.
    const QString current = m_document->path();
    const QString proposed = current.isEmpty() ? startFolder(kLastSaveDir) : QFileInfo(current).absoluteFilePath();
    QString chosenFilter;
    QString given = m_dialogs->getSaveFileName(this, tr("Save File"), proposed, filter, &chosenFilter);
    if (given.trimmed().isEmpty())
        return false;
    given = withFilterSuffix(given, chosenFilter.isEmpty() ? filter.section(QStringLiteral(";;"), 0, 0) : chosenFilter);

    const int newKind = m_registry.kindForPath(given);
    QString customer;
    if (newKind == OstrelFlashImage) {
        if (!m_document->customer().isEmpty()) {
            customer = m_document->customer();
        } else {
            FlashCustomChoseDialog dialog(this);
            if (dialog.exec() != QDialog::Accepted)
                return false;
            customer = dialog.customer;
        }
    }
    // A saved copy becomes the document's file, so a later Save goes there and
    // never over the original; a failed save changes nothing.
    const SaveOutcome outcome = saveTo(given, newKind, customer);
    if (outcome == SaveOutcome::Saved) {
        rememberFolder(kLastSaveDir, given);
        RecentFiles::add(given);
    }
    reportSave(outcome, newKind);
    return outcome == SaveOutcome::Saved;
}

void Tavrin::reportSave(SaveOutcome outcome, int kind)
{
    switch (outcome) {
    case SaveOutcome::Saved: {
        // The library is bound for the kind just saved: it knows what its fields keep.
        QStringList notes{m_document->saveNote(),
                          cutTextReport(cutTexts(m_document->data(), TextCapacities::query(*m_library, kind)))};
        notes.removeAll(QString());
        m_dialogs->about(nullptr, tr("Save File"), tr("Save OK!"),
                         notes.join(QStringLiteral("\n\n")));
        break;
    }
    case SaveOutcome::NotSupported:
        // A writer that failed (a full disk, a folder that is not there) says why.
        if (m_lastSaveResult == OstrelWriteFailed)
            m_dialogs->critical(nullptr, tr("Save File"), tr("Save Error!"),
                                m_library ? m_library->errorText() : QString());
        else
            m_dialogs->critical(nullptr, tr("Save File"),
                                tr("This type isn't supported yet"));
        break;
    case SaveOutcome::NoLibrary:
        m_dialogs->critical(nullptr, tr("Save File"), tr("Save Error!"));
        break;
    case SaveOutcome::NotAttempted:
        break;
    }
}

bool Tavrin::settleUnsavedChanges()
{
    if (!hasUnsavedChanges())
        return true;
    switch (m_dialogs->warningSaveDiscardCancel(this, tr("Warning"),
                                                tr("The changed data was not saved. Do you want to close it?"))) {
    case QMessageBox::Save:
        // A save that fails or is cancelled keeps the document, and stops what asked.
        return m_document->path().isEmpty() ? saveAs() : save();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void Tavrin::releaseDocument()
{
    m_document->clear();
    m_safetyCopyFor.clear();
    if (m_library) {
        m_library->clean();
        m_library->unload();
    }
    ui->lineEdit_leftFilter->clear();
}

void Tavrin::slotClose()
{
    if (settleUnsavedChanges())
        releaseDocument();
}

void Tavrin::slotExit()
{
    if (!settleUnsavedChanges())
        return;
    m_document->markClean();
    close();
}

void Tavrin::closeEvent(QCloseEvent *event)
{
    if (!settleUnsavedChanges()) {
        event->ignore();
        return;
    }
    m_document->markClean();
    event->accept();
}

void Tavrin::slotAbout()
{
    m_dialogs->about(this, tr("About"), QStringLiteral("Tavrin " TAVRIN_VERSION));
}

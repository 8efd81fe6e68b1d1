#include "tavrin.h"

#include "dialogs.h"
#include "documentio.h"
#include "flashcustomchosedialog.h"
#include "parserlibrary.h"
#include "ui_tavrin.h"

#include <QAction>
#include <QApplication>
#include <QStatusBar>
#include <QKeySequence>
#include <QMenu>
#include <QUndoStack>

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

// The icons live in a static library: their resources must be registered by hand.
static void initResources()
{
    Q_INIT_RESOURCE(tavrin);
}

namespace {

const QString kLastOpenDir = QStringLiteral("lastopendir");
const QString kLastSaveDir = QStringLiteral("lastsavdir");

QString titleFor(const QString &customer)
{
    return customer.isEmpty() ? QStringLiteral("Tavrin") : QStringLiteral("Tavrin - %1").arg(customer);
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

    ui->comboBox->addItem(QStringLiteral("SAT"));
    ui->comboBox->addItem(QStringLiteral("TP"));
    ui->mainToolBar->addAction(ui->actionOpen);
    ui->mainToolBar->addAction(ui->actionSave);
    ui->mainToolBar->addAction(ui->actionSave_As);

    createEditMenu();
    connectWidgets();
    m_registry = FileTypeRegistry::fromFile(m_iniPath);
}

Tavrin::~Tavrin()
{
    ui->dbTreeWidget->setDocument(nullptr);
    ui->programWidget->setDocument(nullptr);
    m_document->clear();
    if (m_library) {
        m_library->clean();
        m_library->unload();
    }
}

void Tavrin::createEditMenu()
{
    QUndoStack *stack = m_document->undoStack();
    QAction *undo = stack->createUndoAction(this, QStringLiteral("Undo"));
    undo->setObjectName(QStringLiteral("actionUndo"));
    undo->setShortcut(QKeySequence::Undo);
    undo->setIcon(QIcon(QStringLiteral(":/Tavrin/resources/undo.png")));
    QAction *redo = stack->createRedoAction(this, QStringLiteral("Redo"));
    redo->setObjectName(QStringLiteral("actionRedo"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    redo->setIcon(QIcon(QStringLiteral(":/Tavrin/resources/redo.png")));

    auto *menu = new QMenu(QStringLiteral("&Edit"), this);
    menu->setObjectName(QStringLiteral("menuEdit"));
    menu->addAction(undo);
    menu->addAction(redo);
    ui->menuBar->insertMenu(ui->menuHelp->menuAction(), menu);
    ui->mainToolBar->addSeparator();
    ui->mainToolBar->addAction(undo);
    ui->mainToolBar->addAction(redo);
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
    connect(tree, &DBTreeWidget::signal_fav_selected, table, &QDBProgramWidget::favSelected);
    connect(tree, &DBTreeWidget::signal_tp_selected, table, &QDBProgramWidget::tpSelected);
    connect(tree, &DBTreeWidget::signal_hotkey_selected, table, &QDBProgramWidget::hotkeySelected);
    connect(tree, &DBTreeWidget::signal_favhotkey_selected, table, &QDBProgramWidget::favhotkeySelected);
    connect(table, &QDBProgramWidget::favGroupRenamed, tree, &DBTreeWidget::slotRenameFavItem);
    connect(table, &QDBProgramWidget::signalbIsChange, tree, &DBTreeWidget::setbIsChange);
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
    const QString folder = QSettings(m_iniPath, QSettings::IniFormat).value(key).toString();
    return folder.isEmpty() ? QDir::homePath() : folder;
}

void Tavrin::rememberFolder(const QString &key, const QString &filePath)
{
    QSettings(m_iniPath, QSettings::IniFormat).setValue(key, QFileInfo(filePath).absolutePath());
}

void Tavrin::slotOpen()
{
    openFile(m_dialogs->getOpenFileName(this, QStringLiteral("Open File"), startFolder(kLastOpenDir),
                                        m_registry.openFilter()));
}

void Tavrin::openFromArguments(const QStringList &arguments)
{
    if (arguments.size() > 1)
        openFile(arguments.at(1));
}

void Tavrin::openFile(const QString &picked)
{
    if (picked.isEmpty() || !QFileInfo(picked).isFile())
        return;
    rememberFolder(kLastOpenDir, picked);

    // The picked path and kind stay local until the open really proceeds, so a
    // cancelled customer choice leaves the loaded document saving where it came from.
    const int kind = m_registry.kindForPath(picked);
    QString path = picked;
    QString customer;
    if (kind == OstrelFlashImage) {
        FlashCustomChoseDialog dialog(this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        customer = dialog.customer;
        path = QStringLiteral("%1;").arg(customer) + picked;
    }
    setWindowTitle(titleFor(customer));

    if (!m_library)
        m_library = std::make_unique<ParserLibrary>();
    // Declining keeps the change flag and the bound library, but the old
    // database still goes: the new load replaces it either way.
    if (!closeDocument())
        releaseDocument(false);

    const QString libraryName = m_registry.libraryForPath(picked);
    if (libraryName.isEmpty() || !m_library->bind(libraryName)) {
        m_dialogs->critical(nullptr, QStringLiteral("Load File"), QStringLiteral("This file isn't supported yet"));
        setWindowTitle(titleFor(QString()));
        return;
    }
    // The load blocks the loop: paint the window with a busy cursor and a
    // message first, so that it is not left black while the file is read.
    statusBar()->showMessage(QStringLiteral("Loading %1...").arg(QFileInfo(picked).fileName()));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const LoadStatus status = m_document->load(*m_library, picked, kind, customer);
    QApplication::restoreOverrideCursor();
    statusBar()->clearMessage();
    switch (status) {
    case LoadStatus::LoadError:
        m_document->setFile(picked, kind, customer);
        m_dialogs->critical(nullptr, QStringLiteral("Load File"), QStringLiteral("Load Error!"));
        setWindowTitle(titleFor(QString()));
        return;
    case LoadStatus::NoDatabase:
        m_document->setFile(picked, kind, customer);
        return;
    case LoadStatus::Loaded:
        break;
    }
    ui->lineEdit_leftFilter->clear();
}

void Tavrin::slotSave()
{
    if (m_document->path().isEmpty() || !m_document->hasDatabase())
        return;
    reportSave(m_document->save(m_library.get(), m_registry.libraryByType.value(m_document->kind())));
}

void Tavrin::slotSaveAs()
{
    if (!m_document->hasDatabase())
        return;

    const QString filePath = m_document->parserPath();
    QString filter;
    switch (m_registry.kindForPath(filePath)) {
    case OstrelFlashImage:
        if (filePath.contains(QLatin1String("userdb;")))
            filter = QStringLiteral("Bin file(*.abs);;UserDB file(*.udf)");
        else if (filePath.contains(QLatin1String("defaultdb;")))
            filter = QStringLiteral("Bin file(*.abs);;DefaultDB file(*.ddf)");
        break;
    case OstrelUserDump:
        filter = QStringLiteral("UserDB file(*.udf)");
        break;
    case OstrelDefaultDatabase:
        filter = QStringLiteral("DefaultDB file(*.ddf)");
        break;
    default:
        break;
    }
    if (filter.isEmpty())
        return;

    const QString given = m_dialogs->getSaveFileName(this, QStringLiteral("Save File"),
                                                     startFolder(kLastSaveDir), filter);
    if (given.trimmed().isEmpty())
        return;
    rememberFolder(kLastSaveDir, given);

    const int newKind = m_registry.kindForPath(given);
    QString customer;
    if (newKind == OstrelFlashImage) {
        if (!m_document->customer().isEmpty()) {
            customer = m_document->customer();
        } else {
            FlashCustomChoseDialog dialog(this);
            if (dialog.exec() != QDialog::Accepted)
                return;
            setWindowTitle(titleFor(dialog.customer));
            customer = dialog.customer;
        }
    }
    // The document keeps naming the opened file: later Saves go there.
    const QString openedPath = m_document->path();
    const int openedKind = m_document->kind();
    const QString openedCustomer = m_document->customer();
    const SaveOutcome outcome = m_document->save(m_library.get(), m_registry.libraryByType.value(newKind), given,
                                                 newKind, customer);
    if (outcome == SaveOutcome::Saved)
        m_document->setFile(openedPath, openedKind, openedCustomer);
    reportSave(outcome);
}

void Tavrin::reportSave(SaveOutcome outcome)
{
    switch (outcome) {
    case SaveOutcome::Saved:
        // The document is clean again: only a save that happened does that.
        m_dialogs->about(nullptr, QStringLiteral("Save File"), QStringLiteral("Save OK!"));
        break;
    case SaveOutcome::NotSupported:
        m_dialogs->critical(nullptr, QStringLiteral("Save File"), QStringLiteral("This type isn't supported yet"));
        break;
    case SaveOutcome::NoLibrary:
        m_dialogs->critical(nullptr, QStringLiteral("Save File"), QStringLiteral("Save Error!"));
        break;
    case SaveOutcome::NotAttempted:
        break;
    }
}

bool Tavrin::confirmDiscard()
{
    return !hasUnsavedChanges()
        || m_dialogs->warningOkCancel(this, QStringLiteral("Warning"),
                                      QStringLiteral("The changed data was not saved. Do you want to close it?"));
}

bool Tavrin::closeDocument()
{
    if (!confirmDiscard())
        return false;
    releaseDocument(true);
    return true;
}

void Tavrin::releaseDocument(bool releaseLibrary)
{
    // A declined close keeps the change flag across the release.
    const bool modified = m_document->isModified();
    m_document->clear();
    if (!releaseLibrary && modified)
        m_document->noteChange();
    if (releaseLibrary && m_library) {
        m_library->clean();
        m_library->unload();
    }
    ui->lineEdit_leftFilter->clear();
}

void Tavrin::slotClose()
{
    closeDocument();
}

void Tavrin::slotExit()
{
    if (!confirmDiscard())
        return;
    m_document->markClean();
    close();
}

void Tavrin::closeEvent(QCloseEvent *event)
{
    if (!confirmDiscard()) {
        event->ignore();
        return;
    }
    m_document->markClean();
    event->accept();
}

void Tavrin::slotAbout()
{
    m_dialogs->about(this, QStringLiteral("About"), QStringLiteral("Tavrin 2.20.2.0"));
}

#include "tavrin.h"

#include "dialogs.h"
#include "documentio.h"
#include "flashcustomchosedialog.h"
#include "parserlibrary.h"
#include "ui_tavrin.h"

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

    connectWidgets();
    m_registry = FileTypeRegistry::fromFile(m_iniPath);
}

Tavrin::~Tavrin()
{
    // The widgets point into the document; they go before it does.
    ui->dbTreeWidget->clearTree();
    ui->programWidget->clearAll();
    m_doc.database.reset();
    if (m_library) {
        m_library->clean();
        m_library->unload();
    }
}

void Tavrin::connectWidgets()
{
    DBTreeWidget *tree = ui->dbTreeWidget;
    QDBProgramWidget *table = ui->programWidget;
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
    return ui->dbTreeWidget->bIsChange();
}

void Tavrin::setChanged(bool changed)
{
    ui->dbTreeWidget->setbIsChange(changed);
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
    m_filePath = path;
    m_fileKind = kind;

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
    switch (loadDocument(*m_library, kind, path, m_doc)) {
    case LoadStatus::LoadError:
        m_dialogs->critical(nullptr, QStringLiteral("Load File"), QStringLiteral("Load Error!"));
        setWindowTitle(titleFor(QString()));
        return;
    case LoadStatus::NoDatabase:
        return;
    case LoadStatus::Loaded:
        break;
    }

    ui->lineEdit_leftFilter->clear();
    ui->programWidget->setFileKind(kind);
    ui->dbTreeWidget->setDatabase(m_doc.database.get(), &m_doc.satTemplate, &m_doc.tpTemplate,
                                  &m_doc.favouriteNames, &m_doc.hotKeys, &m_doc.favHotKeys,
                                  quint32(m_doc.satMaxNum));
    ui->programWidget->setDatabase(m_doc.database.get(), &m_doc.pgFields, &m_doc.pgTemplate,
                                   &m_doc.favouriteNames, &m_doc.hotKeys, &m_doc.favHotKeys);
}

void Tavrin::slotSave()
{
    if (m_filePath.isEmpty() || !m_doc.database)
        return;
    if (m_fileKind == OstrelUserDump)
        ui->programWidget->storeRowOrder();
    reportSave(saveDocument(m_library.get(), m_registry.libraryByType.value(m_fileKind), m_fileKind,
                            m_filePath, m_doc));
}

void Tavrin::slotSaveAs()
{
    if (!m_doc.database)
        return;

    QString filter;
    switch (m_registry.kindForPath(m_filePath)) {
    case OstrelFlashImage:
        if (m_filePath.contains(QLatin1String("userdb;")))
            filter = QStringLiteral("Bin file(*.abs);;UserDB file(*.udf)");
        else if (m_filePath.contains(QLatin1String("defaultdb;")))
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
    QString newPath = given;
    if (newKind == OstrelFlashImage) {
        const int semicolon = m_filePath.indexOf(QLatin1Char(';'));
        if (semicolon >= 0) {
            newPath = m_filePath.left(semicolon + 1) + given;
        } else {
            FlashCustomChoseDialog dialog(this);
            if (dialog.exec() != QDialog::Accepted)
                return;
            setWindowTitle(titleFor(dialog.customer));
            newPath = QStringLiteral("%1;").arg(dialog.customer) + given;
        }
    }
    if (newKind == OstrelUserDump)
        ui->programWidget->storeRowOrder();
    // filePath and fileKind keep naming the opened document: later Saves go there.
    reportSave(saveDocument(m_library.get(), m_registry.libraryByType.value(newKind), newKind, newPath, m_doc));
}

void Tavrin::reportSave(SaveOutcome outcome)
{
    switch (outcome) {
    case SaveOutcome::Saved:
        // Only a save that happened makes the document clean again.
        setChanged(false);
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
    setChanged(false);
    releaseDocument(true);
    return true;
}

void Tavrin::releaseDocument(bool releaseLibrary)
{
    // The widgets let go of their pointers before the data goes.
    ui->dbTreeWidget->clearTree();
    ui->programWidget->clearAll();
    if (releaseLibrary && m_library)
        m_library->clean();
    m_doc.database.reset();
    if (releaseLibrary && m_library)
        m_library->unload();
    ui->lineEdit_leftFilter->clear();
    m_doc.favouriteNames.clear();
    m_doc.hotKeys.clear();
    // Their names pointed into the library's memory, which Clean released.
    m_doc.favHotKeys.clear();
}

void Tavrin::slotClose()
{
    closeDocument();
}

void Tavrin::slotExit()
{
    if (!confirmDiscard())
        return;
    setChanged(false);
    close();
}

void Tavrin::closeEvent(QCloseEvent *event)
{
    if (!confirmDiscard()) {
        event->ignore();
        return;
    }
    setChanged(false);
    event->accept();
}

void Tavrin::slotAbout()
{
    m_dialogs->about(this, QStringLiteral("About"), QStringLiteral("Tavrin 2.20.2.0"));
}

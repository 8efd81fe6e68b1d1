// What the window shows of its document: the file actions that need one, and the title.
#include "tavrin.h"

#include "ui_tavrin.h"

#include <QAction>
#include <QFileInfo>
#include "programmetableview.h"

void Tavrin::followDocument()
{
    // A load and a close both reset the document; a failed open may leave a
    // file named without data, so the data decides, not the path.
    connect(m_document, &Document::documentReset, this, &Tavrin::updateFileActions);
    for (auto signal : {&Document::documentReset, &Document::fileChanged})
        connect(m_document, signal, this, &Tavrin::updateWindowTitle);
    connect(m_document, &Document::modifiedChanged, this, &Tavrin::updateWindowTitle);
    // A whole-state step (a restore, and its undo) rebuilds the tree: the list is shown again.
    connect(m_document, &Document::documentReset, this, [this] {
        DBTreeWidget *tree = ui->dbTreeWidget;
        if (m_document->hasDatabase() && !tree->currentIndex().isValid() && tree->model()->rowCount() > 0)
            tree->setCurrentIndex(tree->model()->index(0, 0));
    });
    updateFileActions();
    updateWindowTitle();
}

void Tavrin::updateFileActions()
{
    const bool open = m_document->hasDatabase();
    for (QAction *action : {ui->actionSave, ui->actionSave_As, ui->actionClose})
        action->setEnabled(open);
    // The list is the table as shown: a view without columns has nothing to export.
    findChild<QAction *>(QStringLiteral("actionExportList"))
        ->setEnabled(open && ui->programWidget->table()->columnCount() > 0);
}

void Tavrin::updateWindowTitle()
{
    const QString program = QStringLiteral("Tavrin");
    if (!m_document->hasDatabase()) {
        setWindowModified(false);
        setWindowTitle(program);
        return;
    }
    // The file Save writes to, and for a flash image the customer it is saved for.
    QString name = QFileInfo(m_document->path()).fileName();
    if (!m_document->customer().isEmpty())
        name += QStringLiteral(" (%1)").arg(m_document->customer());
    setWindowTitle(QStringLiteral("%1[*] - %2").arg(name, program));
    setWindowModified(m_document->isModified());
}

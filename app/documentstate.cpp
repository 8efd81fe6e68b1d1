// What the window shows of its document: the file actions that need one.
#include "tavrin.h"

#include "ui_tavrin.h"

#include <QAction>
#include <QTableWidget>

void Tavrin::followDocument()
{
    // A load and a close both reset the document; a failed open may leave a
    // file named without data, so the data decides, not the path.
    connect(m_document, &Document::documentReset, this, &Tavrin::updateFileActions);
    updateFileActions();
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

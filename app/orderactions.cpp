// The Edit menu's Find Duplicates…, Sort… and Order Like…: the dialogs run
// here, the rules of each edit live in the document.

#include "tavrin.h"

#include "dialogs.h"
#include "documentedits.h"
#include "documentio.h"
#include "findduplicatesdialog.h"
#include "flashcustomchosedialog.h"
#include "orderlike.h"
#include "parserlibrary.h"
#include "sortdialog.h"
#include "sortorder.h"
#include "ui_tavrin.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QStatusBar>

void Tavrin::addOrderActions(QMenu *menu)
{
    menu->addSeparator();
    const struct
    {
        const char *text, *name;
        void (Tavrin::*slot)();
    } entries[] = {{QT_TR_NOOP("Find Duplicates\u2026"), "actionFindDuplicates", &Tavrin::slotFindDuplicates},
                   {QT_TR_NOOP("Sort\u2026"), "actionSort", &Tavrin::slotSort},
                   {QT_TR_NOOP("Order Like\u2026"), "actionOrderLike", &Tavrin::slotOrderLike}};
    for (const auto &entry : entries) {
        auto *action = menu->addAction(tr(entry.text));
        action->setObjectName(QString::fromLatin1(entry.name));
        connect(action, &QAction::triggered, this, entry.slot);
    }
}

void Tavrin::reportOrderEdit(const QString &title, const EditValue<QString> &outcome)
{
    if (outcome.isRefused()) {
        if (!outcome.refusal.isEmpty())
            m_dialogs->critical(this, title, outcome.refusal);
        return;
    }
    ui->statusBar->showMessage(outcome.value, 10000);
}

void Tavrin::slotFindDuplicates()
{
    const ChannelDatabase *db = m_document->database();
    if (!db)
        return;
    const QVector<QVector<quint32>> groups = m_document->edits().findDuplicates();
    if (groups.isEmpty()) {
        ui->statusBar->showMessage(tr("No duplicates found"), 10000);
        return;
    }
    const QStringList columns{QStringLiteral("NAME"), QStringLiteral("SID"), tr("Satellite"),
                              QStringLiteral("FRQ"), QStringLiteral("POL")};
    QVector<QVector<QStringList>> rows;
    rows.reserve(groups.size());
    for (const QVector<quint32> &group : groups) {
        QVector<QStringList> texts;
        for (const quint32 id : group) {
            const DB_NS::PGNode *programme = db->findPG(id);
            const DB_NS::TPNode *tp = programme->parent();
            const DB_NS::SatNode *sat = tp ? tp->parent() : nullptr;
            texts.append({programme->value(QStringLiteral("NAME")), programme->value(QStringLiteral("SID")),
                          sat ? sat->value(QStringLiteral("NAME")) : QString(),
                          tp ? tp->value(QStringLiteral("FRQ")) : QString(), tp ? tp->value(QStringLiteral("POL")) : QString()});
        }
        rows.append(texts);
    }
    FindDuplicatesDialog dialog(this, columns, rows);
    if (dialog.exec() != QDialog::Accepted)
        return;
    reportOrderEdit(tr("Find Duplicates"), m_document->edits().removeDuplicates());
}

void Tavrin::slotSort()
{
    if (!m_document->hasDatabase())
        return;
    const QVector<quint32> rowIds = ui->programWidget->rowIds();
    QVector<quint32> selected;
    for (const int row : ui->programWidget->selectedRows()) {
        if (row >= 0 && row < rowIds.size())
            selected.append(rowIds.at(row));
    }
    SortDialog dialog(this, SortOrder::availableKeys(m_document->templateOf(NodeKind::Programme)), selected.size());
    if (dialog.exec() != QDialog::Accepted)
        return;
    SortRequest request;
    request.keys = dialog.keys();
    request.tvFirst = dialog.tvFirst();
    if (dialog.selectedOnly())
        request.ids = selected;
    request.collation = SortRequest::Collation::Locale;
    request.locale = QLocale();
    reportOrderEdit(tr("Sort"), m_document->edits().sortProgrammes(request));
}

void Tavrin::slotOrderLike()
{
    if (!m_document->hasDatabase())
        return;
    const QString title = tr("Order Like");
    const QString path = m_dialogs->getOpenFileName(
        this, title, startFolder(QStringLiteral("lastopendir")),
        openFilter() + tr(";;Exported JSON (*.json);;Names, one a line (*.txt);;All files (*)"));
    if (path.isEmpty())
        return;
    QVector<ReferenceEntry> reference;
    const QString libraryName = m_registry.libraryForPath(path);
    if (!libraryName.isEmpty()) {
        // Read-only, through the same binding, into a document of its own.
        const int kind = m_registry.kindForPath(path);
        QString customer;
        if (kind == OstrelFlashImage) {
            FlashCustomChoseDialog choice(this);
            if (choice.exec() != QDialog::Accepted)
                return;
            customer = choice.customer;
        }
        DocumentData data;
        const bool bound = m_library->bind(libraryName);
        const bool loaded = bound
            && loadDocument(*m_library, kind, kind == OstrelFlashImage ? customer + QLatin1Char(';') + path : path, data)
                == LoadStatus::Loaded;
        const QString reason = bound ? m_library->errorText() : QString();
        rebindOpenFile();
        if (!loaded || !data.database) {
            m_dialogs->critical(this, title, bound ? tr("Load Error!") : tr("This file isn't supported yet"),
                                reason);
            return;
        }
        Document loadedReference;
        loadedReference.reset(std::move(data));
        reference = OrderLike::fromDatabase(*loadedReference.database());
    } else {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            m_dialogs->critical(this, title, tr("Load Error!"), file.errorString());
            return;
        }
        QString error;
        if (!OrderLike::isJsonPath(path)) {
            reference = OrderLike::fromText(file.readAll());
        } else if (!OrderLike::fromJson(file.readAll(), &reference, &error)) {
            m_dialogs->critical(this, title, tr("Load Error!"), error);
            return;
        }
    }
    reportOrderEdit(title, m_document->edits().orderLike(reference, QFileInfo(path).fileName()));
}

#include "benchsession.h"

#include "channeldatabase.h"
#include "dbtreewidget.h"
#include "documentio.h"
#include "qdbprogramwidget.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

BenchSession::BenchSession(const QString &libraryName, const QString &dumpPath, const QString &savePath)
    : m_dumpPath(dumpPath), m_savePath(savePath)
{
    if (!m_library.bind(libraryName))
        m_error = m_library.errorString();
}

BenchSession::~BenchSession()
{
    releaseDocument();
}

bool BenchSession::ensureLoaded()
{
    if (m_doc.hasDatabase())
        return true;
    if (!isBound())
        return false;
    int rc = 0;
    if (m_doc.load(m_library, m_dumpPath, OstrelUserDump, QString(), &rc) != LoadStatus::Loaded) {
        m_error = QStringLiteral("Load of %1 returned %2").arg(m_dumpPath).arg(rc);
        return false;
    }
    return true;
}

void BenchSession::releaseDocument()
{
    dropWidgets();
    m_doc.clear();
    if (isBound())
        m_library.clean();
}

bool BenchSession::ensureWidgets()
{
    if (m_window)
        return true;
    if (!ensureLoaded())
        return false;
    // Sized like the editor's window, so that the visible rows and the
    // column widths cost what they cost there.
    m_window = std::make_unique<QWidget>();
    auto *layout = new QHBoxLayout(m_window.get());
    m_tree = new DBTreeWidget(m_window.get());
    m_table = new QDBProgramWidget(m_window.get());
    layout->addWidget(m_tree, 1);
    layout->addWidget(m_table, 3);
    m_window->resize(1280, 800);
    m_window->show();
    m_tree->setDocument(&m_doc);
    m_table->setDocument(&m_doc);
    // Wired as the editor's window wires them, so that the table shows what
    // the tree selects and refreshes only that.
    QObject::connect(m_tree, &DBTreeWidget::signal_allsrv_selected, m_table, &QDBProgramWidget::allSrvSelected);
    QObject::connect(m_tree, &DBTreeWidget::signal_sat_selected, m_table, &QDBProgramWidget::satSelected);
    QObject::connect(m_tree, &DBTreeWidget::signal_allsat_selected, m_table, &QDBProgramWidget::allSatSelected);
    QObject::connect(m_tree, &DBTreeWidget::signal_tp_selected, m_table, &QDBProgramWidget::tpSelected);
    QObject::connect(m_tree, &DBTreeWidget::signal_fav_selected, m_table, &QDBProgramWidget::favSelected);
    QObject::connect(m_tree, &DBTreeWidget::signal_hotkey_selected, m_table, &QDBProgramWidget::hotkeySelected);
    QObject::connect(m_tree, &DBTreeWidget::signal_favhotkey_selected, m_table,
                     &QDBProgramWidget::favhotkeySelected);
    QCoreApplication::processEvents();
    return true;
}

void BenchSession::dropWidgets()
{
    if (m_tree)
        m_tree->setDocument(nullptr);
    if (m_table)
        m_table->setDocument(nullptr);
    m_tree = nullptr;
    m_table = nullptr;
    m_window.reset();
}

QLineEdit *BenchSession::filterEdit() const
{
    return m_table ? m_table->findChild<QLineEdit *>(QStringLiteral("lineEdit_filter")) : nullptr;
}

QLineEdit *BenchSession::findEdit() const
{
    return m_table ? m_table->findChild<QLineEdit *>(QStringLiteral("lineEdit_find")) : nullptr;
}

QPushButton *BenchSession::findNextButton() const
{
    return m_table ? m_table->findChild<QPushButton *>(QStringLiteral("pushButton_findNext")) : nullptr;
}

quint32 BenchSession::biggestSat() const
{
    quint32 best = DB_NS::NoId;
    std::size_t most = 0;
    if (m_doc.hasDatabase()) {
        for (const DB_NS::SatNode *sat : m_doc.database()->sats()) {
            if (best == DB_NS::NoId || sat->allPGs().size() > most) {
                best = sat->id();
                most = sat->allPGs().size();
            }
        }
    }
    return best;
}

std::pair<quint32, quint32> BenchSession::biggestTp() const
{
    std::pair<quint32, quint32> best{DB_NS::NoId, DB_NS::NoId};
    std::size_t most = 0;
    if (m_doc.hasDatabase()) {
        for (const DB_NS::SatNode *sat : m_doc.database()->sats()) {
            for (const DB_NS::TPNode *tp : sat->tps()) {
                if (best.first == DB_NS::NoId || tp->pgs().size() > most) {
                    best = {sat->id(), tp->id()};
                    most = tp->pgs().size();
                }
            }
        }
    }
    return best;
}

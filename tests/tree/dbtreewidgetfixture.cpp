#include "dbtreewidgetfixture.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTimer>
#include <QtTest>

void DBTreeWidgetFixture::init()
{
    m_fixture = std::make_unique<TreeFixture>();
    m_tree = std::make_unique<DBTreeWidget>();
    m_tree->setHeaderHidden(true);
    m_tree->resize(300, 800);
    // Loads, closes, filters and renames keep the model's contract.
    m_modelTester = std::make_unique<QAbstractItemModelTester>(m_tree->model(),
                                                               QAbstractItemModelTester::FailureReportingMode::QtTest);
    m_events.clear();
    DBTreeWidget *tree = m_tree.get();
    connect(tree, &DBTreeWidget::signal_allsrv_selected, this, [this] { m_events << QStringLiteral("allsrv"); });
    connect(tree, &DBTreeWidget::signal_fav_selected, this,
            [this](unsigned int id) { m_events << QStringLiteral("fav(%1)").arg(id); });
    connect(tree, &DBTreeWidget::signal_sat_selected, this,
            [this](unsigned int id) { m_events << QStringLiteral("sat(%1)").arg(id); });
    connect(tree, &DBTreeWidget::signal_tp_selected, this, [this](unsigned int sat, unsigned int tp) {
        m_events << QStringLiteral("tp(%1,%2)").arg(sat).arg(tp);
    });
    connect(tree, &DBTreeWidget::signal_hotkey_selected, this, [this] { m_events << QStringLiteral("hotkey"); });
    connect(tree, &DBTreeWidget::signal_favhotkey_selected, this,
            [this] { m_events << QStringLiteral("favhotkey"); });
    connect(tree, &DBTreeWidget::signal_allsat_selected, this, [this] { m_events << QStringLiteral("allsat"); });
}

void DBTreeWidgetFixture::cleanup()
{
    m_modelTester.reset();
    m_tree.reset();
    m_fixture.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void DBTreeWidgetFixture::fill(bool expand)
{
    QVERIFY(m_fixture->attach(*m_tree));
    if (expand)
        m_tree->expandAll();
    m_tree->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_tree.get()));
    // Taking focus makes "All Services" current; tests start after that.
    m_events.clear();
}

QModelIndex DBTreeWidgetFixture::item(const QString &path)
{
    return itemAtPath(*m_tree, path);
}

QPoint DBTreeWidgetFixture::posOf(const QString &path)
{
    const QModelIndex target = item(path);
    return target.isValid() ? m_tree->visualRect(target).center() : QPoint();
}

void DBTreeWidgetFixture::click(const QString &path, Qt::KeyboardModifiers modifiers)
{
    QVERIFY2(item(path).isValid(), qPrintable(path));
    QTest::mouseClick(m_tree->viewport(), Qt::LeftButton, modifiers, posOf(path));
}

QString DBTreeWidgetFixture::pathOf(const QModelIndex &target)
{
    // The short path back from a row: its row numbers up to the nearest root.
    QStringList rows;
    QModelIndex index = target;
    for (; index.isValid(); index = index.parent()) {
        for (const QString &root : {QStringLiteral("S"), QStringLiteral("A"), QStringLiteral("F"),
                                    QStringLiteral("H"), QStringLiteral("K")}) {
            if (index == item(root))
                return (QStringList{root} + rows).join(QLatin1Char('/'));
        }
        rows.prepend(QString::number(index.row()));
    }
    return QStringLiteral("?");
}

QStringList DBTreeWidgetFixture::selectedPaths()
{
    QStringList paths;
    for (const QModelIndex &selected : m_tree->selectionModel()->selectedIndexes())
        paths << pathOf(selected);
    paths.sort();
    return paths;
}

MenuSnapshot DBTreeWidgetFixture::openMenu(const QPoint &pos, bool pressFirst, const std::function<void(QMenu *)> &act)
{
    if (pressFirst)
        QTest::mouseClick(m_tree->viewport(), Qt::RightButton, Qt::NoModifier, pos);

    MenuSnapshot snapshot;
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, this, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        poll.stop();
        snapshot.shown = true;
        for (QAction *action : menu->actions())
            snapshot.entries << (action->isEnabled() ? QLatin1Char('+') : QLatin1Char('-')) + action->text();
        if (act)
            act(menu);
        else
            menu->close();
    });
    poll.start();
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, m_tree->viewport()->mapToGlobal(pos));
    QApplication::sendEvent(m_tree->viewport(), &event);
    poll.stop();
    return snapshot;
}

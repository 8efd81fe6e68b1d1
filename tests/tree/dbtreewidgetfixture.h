#pragma once

#include "dbtreewidget.h"
#include "treefixture.h"

#include <QAbstractItemModelTester>
#include <QObject>
#include <QPoint>
#include <QStringList>

#include <functional>
#include <memory>

class QMenu;

// A spelled-out list of what a context menu showed: "+text" enabled, "-text" disabled.
struct MenuSnapshot
{
    bool shown = false;
    QStringList entries;
};

/**
 * A fresh tree per test on the small document of TreeFixture, with every
 * selection signal it sends noted in m_events, and helpers that click,
 * open the context menu and name rows by their short paths. Qt Test runs
 * the private slots for every class deriving from it, as if they were the
 * test class's own.
 */
class DBTreeWidgetFixture : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

protected:
    void fill(bool expand = true);
    QModelIndex item(const QString &path);
    QPoint posOf(const QString &path);
    void click(const QString &path, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    MenuSnapshot openMenu(const QPoint &pos, bool pressFirst, const std::function<void(QMenu *)> &act = {});
    QStringList selectedPaths();
    QString pathOf(const QModelIndex &index);

    std::unique_ptr<TreeFixture> m_fixture;
    std::unique_ptr<DBTreeWidget> m_tree;
    std::unique_ptr<QAbstractItemModelTester> m_modelTester;
    QStringList m_events;
};

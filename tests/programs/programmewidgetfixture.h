#pragma once

#include "programmefixture.h"
#include "qdbprogramwidget.h"

#include <QObject>
#include <QStringList>
#include "programmetableview.h"

#include <functional>

namespace ProgrammeViews {

constexpr quint32 NoId = DB_NS::NoId;

enum class View { AllServices,
                  AllSatellites,
                  Satellite,
                  Transponder,
                  Favourite,
                  HotKeys,
                  FavHotKeys };

struct ViewChoice
{
    View view;
    quint32 a = NoId;
    quint32 b = NoId;
};

void show(QDBProgramWidget &w, const ViewChoice &v);
QStringList columnTexts(const QTableView *table, int column = 0);
QStringList headerLabels(const QTableView *table);

} // namespace ProgrammeViews

Q_DECLARE_METATYPE(ProgrammeViews::ViewChoice)

/**
 * A shown programme table over seven programmes on two satellites, made
 * afresh for each test. Qt Test runs these private slots for every class
 * deriving from it, as if they were the test class's own.
 */
class ProgrammeWidgetFixture : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

protected:
    void load(int fileKind = 0);
    void clickRow(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // What trigger did: the dialog it opened (answered with Cancel), the
    // rows it reordered, added or removed, and a copy to the clipboard.
    QString effectOf(const std::function<void()> &trigger);

    ProgrammeFixture m_fx;
    QDBProgramWidget *m_widget = nullptr;
};

// Figures of the tree and the table: filling the views, filtering, finding, saving from the editor.

#include "benchcommon.h"

#include "channeldatabase.h"
#include "dbtreewidget.h"
#include "documentio.h"
#include "qdbprogramwidget.h"
#include "tpdisplayname.h"

#include <QLineEdit>
#include <QPushButton>
#include "programmetableview.h"

namespace bench {

void benchTreeSetDatabase(benchmark::State &state, int size)
{
    BenchSession *s = withWidgets(state, size);
    if (!s)
        return;
    Document &doc = s->document();
    for (auto _ : state) {
        coldStart(state);
        s->tree()->setDocument(&doc);
        settle();
    }
}

// From a table that shows every programme, the worst case of opening a file.
void benchTableSetDatabase(benchmark::State &state, int size)
{
    BenchSession *s = withWidgets(state, size);
    if (!s)
        return;
    Document &doc = s->document();
    for (auto _ : state) {
        state.PauseTiming();
        s->table()->allSrvSelected();
        settle();
        coldResume(state);
        s->table()->setDocument(&doc);
        settle();
    }
}

void benchAllServicesView(benchmark::State &state, int size)
{
    BenchSession *s = withWidgets(state, size);
    if (!s)
        return;
    for (auto _ : state) {
        coldStart(state);
        s->table()->allSrvSelected();
        settle();
    }
}

// Switching away from All Services: the rows to clear make it the worst case.
void benchSatelliteView(benchmark::State &state, int size)
{
    BenchSession *s = withWidgets(state, size);
    if (!s)
        return;
    const quint32 sat = s->biggestSat();
    for (auto _ : state) {
        state.PauseTiming();
        s->table()->allSrvSelected();
        settle();
        coldResume(state);
        s->table()->satSelected(sat);
        settle();
    }
}

void benchTransponderView(benchmark::State &state, int size)
{
    BenchSession *s = withWidgets(state, size);
    if (!s)
        return;
    const auto tp = s->biggestTp();
    for (auto _ : state) {
        state.PauseTiming();
        s->table()->allSrvSelected();
        settle();
        coldResume(state);
        s->table()->tpSelected(tp.first, tp.second);
        settle();
    }
}

// One letter typed into an empty line edit of the table's bar, with the
// filter cleared and All Services (or the biggest TP) shown.
void benchTypeLetter(benchmark::State &state, int size, QLineEdit *(BenchSession::*editOf)() const,
                     const char *missing, bool inTp = false)
{
    BenchSession *s = withWidgets(state, size);
    if (!s)
        return;
    const QString letter = firstNameLetter(*s);
    QLineEdit *edit = (s->*editOf)();
    if (!edit) {
        fail(state, QString::fromLatin1(missing));
        return;
    }
    s->filterEdit()->clear();
    if (inTp) {
        const auto tp = s->biggestTp();
        s->table()->tpSelected(tp.first, tp.second);
    } else {
        s->table()->allSrvSelected();
    }
    for (auto _ : state) {
        state.PauseTiming();
        edit->clear();
        settle();
        coldResume(state);
        edit->insert(letter);
        settle();
    }
    edit->clear();
}

void benchFilterKeystroke(benchmark::State &state, int size)
{
    benchTypeLetter(state, size, &BenchSession::filterEdit, "no filter line edit");
}

void benchTpFilterKeystroke(benchmark::State &state, int size)
{
    benchTypeLetter(state, size, &BenchSession::filterEdit, "no filter line edit", true);
}

void benchFilterErase(benchmark::State &state, int size)
{
    BenchSession *s = withWidgets(state, size);
    if (!s)
        return;
    const QString letter = firstNameLetter(*s);
    QLineEdit *edit = s->filterEdit();
    if (!edit) {
        fail(state, QStringLiteral("no filter line edit"));
        return;
    }
    edit->clear();
    s->table()->allSrvSelected();
    for (auto _ : state) {
        state.PauseTiming();
        edit->setText(letter);
        settle();
        coldResume(state);
        edit->backspace();
        settle();
    }
}

void benchFindKeystroke(benchmark::State &state, int size)
{
    benchTypeLetter(state, size, &BenchSession::findEdit, "no find line edit");
}

void benchFindNext(benchmark::State &state, int size)
{
    BenchSession *s = withWidgets(state, size);
    if (!s)
        return;
    QLineEdit *edit = s->findEdit();
    QPushButton *next = s->findNextButton();
    if (!edit || !next) {
        fail(state, QStringLiteral("no find line edit or button"));
        return;
    }
    s->filterEdit()->clear();
    s->table()->allSrvSelected();
    edit->setText(firstNameLetter(*s));
    for (auto _ : state) {
        coldStart(state);
        next->click();
        settle();
    }
    edit->clear();
}

void benchStoreRowOrder(benchmark::State &state, int size)
{
    BenchSession *s = withWidgets(state, size);
    if (!s)
        return;
    s->table()->allSrvSelected();
    for (auto _ : state) {
        coldStart(state);
        s->table()->storeRowOrder();
    }
}

// What File, Save does for a dump: the row order first, then Save.
void benchEditorSave(benchmark::State &state, int size)
{
    BenchSession *s = withWidgets(state, size);
    if (!s)
        return;
    s->table()->allSrvSelected();
    for (auto _ : state) {
        coldStart(state);
        s->table()->storeRowOrder();
        if (!saveOnce(state, *s))
            break;
    }
}

// TP names share their first letters; the keystroke that hides most is the
// first one past the common "TP_".
QString tpPrefix(const BenchSession &s, int length)
{
    const ChannelDatabase *db = const_cast<BenchSession &>(s).document().database();
    const DB_NS::SatNode *sat = db ? db->sats().first() : nullptr;
    const DB_NS::TPNode *tp = sat ? sat->tps().first() : nullptr;
    return tp ? tpDisplayName(*tp).left(length) : QString();
}

void treeFilterBench(benchmark::State &state, int size, int fromLength, int toLength)
{
    BenchSession *s = withWidgets(state, size);
    if (!s)
        return;
    const QString from = tpPrefix(*s, fromLength);
    const QString to = tpPrefix(*s, toLength);
    s->tree()->slotSearchTypeChanged(1);
    for (auto _ : state) {
        state.PauseTiming();
        s->tree()->slotFilterChanged(from);
        settle();
        coldResume(state);
        s->tree()->slotFilterChanged(to);
        settle();
    }
    s->tree()->slotFilterChanged(QString());
    s->tree()->slotSearchTypeChanged(0);
}

void benchTreeFilterKeystroke(benchmark::State &state, int size)
{
    treeFilterBench(state, size, 3, 4);
}

void benchTreeFilterErase(benchmark::State &state, int size)
{
    treeFilterBench(state, size, 4, 3);
}

} // namespace bench

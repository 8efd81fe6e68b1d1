#include "programmewidgetfixture.h"

#include "documentedits.h"
#include "modalanswer.h"
#include "qpropertydialog.h"
#include "qtvariantproperty.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTest>

namespace ProgrammeViews {

void show(QDBProgramWidget &w, const ViewChoice &v)
{
    switch (v.view) {
    case View::AllServices: w.allSrvSelected(); break;
    case View::AllSatellites: w.allSatSelected(); break;
    case View::Satellite: w.satSelected(v.a); break;
    case View::Transponder: w.tpSelected(v.a, v.b); break;
    case View::Favourite: w.favSelected(v.a); break;
    case View::HotKeys: w.hotkeySelected(); break;
    case View::FavHotKeys: w.favhotkeySelected(); break;
    }
}

QStringList columnTexts(const QTableView *table, int column)
{
    QStringList texts;
    for (int row = 0; row < table->model()->rowCount(); ++row)
        texts << cellText(table->model(), row, column);
    return texts;
}

QStringList headerLabels(const QTableView *table)
{
    QStringList labels;
    for (int column = 0; column < table->model()->columnCount(); ++column)
        labels << table->model()->headerData(column, Qt::Horizontal).toString();
    return labels;
}

} // namespace ProgrammeViews

using namespace ProgrammeViews;

void ProgrammeWidgetFixture::init()
{
    m_fx = ProgrammeFixture();
    m_fx.sats = {1, 2};
    m_fx.tps = {{1, 10}, {1, 11}, {2, 20}};
    // allPGs order is this order; beta is the one radio programme.
    m_fx.pgs = {
        {10, 100, QStringLiteral("Alpha"), QStringLiteral("101"), QStringLiteral("1"), QStringLiteral("3")},
        {10, 101, QStringLiteral("beta"), QStringLiteral("0"), QStringLiteral("4"), QStringLiteral("1")},
        {10, 102, QStringLiteral("Gamma"), QStringLiteral("102"), QStringLiteral("5"), QStringLiteral("1")},
        {11, 103, QStringLiteral("alpine"), QStringLiteral("103"), QStringLiteral("0"), QStringLiteral("x")},
        {20, 104, QStringLiteral("Delta"), QStringLiteral("104"), QString(), QStringLiteral("1")},
        {20, 105, QStringLiteral("ABC"), QStringLiteral("105"), QStringLiteral("4"), QStringLiteral("5")},
        {20, 106, QStringLiteral("xab"), QStringLiteral("106"), QStringLiteral("2"), QStringLiteral("4")},
    };
    m_fx.favouriteNames = QStringList{QStringLiteral("News"), QStringLiteral("Sport"), QStringLiteral("Kids")};
    m_fx.build();
    m_widget = new QDBProgramWidget;
    m_widget->resize(900, 600);
    m_widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_widget));
}

void ProgrammeWidgetFixture::cleanup()
{
    delete m_widget;
    m_widget = nullptr;
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void ProgrammeWidgetFixture::load(int fileKind)
{
    m_fx.attach(*m_widget, fileKind);
}

void ProgrammeWidgetFixture::clickRow(int row, Qt::KeyboardModifiers modifiers)
{
    QTableView *table = m_widget->table();
    const QRect rect = table->visualRect(table->model()->index(row, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, modifiers, rect.center());
}

QString ProgrammeWidgetFixture::effectOf(const std::function<void()> &trigger)
{
    const QStringList before = columnTexts(m_widget->table());
    const bool hadClipboard = m_fx.document->edits().hasClipboard();
    QString asked;
    ModalAnswer<QDialog> answer([&asked](QDialog *dialog) {
        if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
            asked = box->text();
            QAbstractButton *cancel = box->button(QMessageBox::Cancel);
            (cancel ? cancel : box->buttons().constFirst())->click();
            return;
        }
        // Edit and insert share the dialog; the name it shows tells them apart.
        const auto *properties = qobject_cast<QPropertyDialog *>(dialog);
        const QtVariantProperty *name = properties ? properties->shownProperty(QStringLiteral("NAME")) : nullptr;
        asked = dialog->windowTitle() + QStringLiteral(": ") + (name ? name->value().toString() : QString());
        dialog->reject();
    });
    trigger();
    QStringList effects;
    if (!asked.isEmpty())
        effects << asked;
    const QStringList after = columnTexts(m_widget->table());
    if (after != before)
        effects << QStringLiteral("rows ") + after.join(QLatin1Char(' '));
    if (!hadClipboard && m_fx.document->edits().hasClipboard())
        effects << QStringLiteral("copied");
    return effects.join(QStringLiteral(", "));
}

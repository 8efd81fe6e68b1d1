// The table's corner button: it has no text of its own, so we give it
// "Index", draw it as a header section and keep the row header wide enough.

#include "qdbprogramwidget.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include "programmetableview.h"

void QDBProgramWidget::setUpCornerButton()
{
    auto *corner = m_table->findChild<QAbstractButton *>();
    if (!corner)
        return;
    corner->setText(tr("Index"));
    corner->installEventFilter(this);
    QStyleOptionHeader option;
    option.text = corner->text();
    const QSize size = corner->style()
                           ->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), corner)
                           .expandedTo(QApplication::globalStrut());
    m_table->verticalHeader()->setMinimumWidth(size.width());
}

void QDBProgramWidget::paintCornerButton(QWidget *widget)
{
    auto *button = static_cast<QAbstractButton *>(widget);
    QStyleOptionHeader option;
    option.initFrom(button);
    option.state = QStyle::State_None;
    option.rect = button->rect();
    option.text = button->text();
    option.textAlignment = Qt::AlignCenter;
    option.position = QStyleOptionHeader::OnlyOneSection;
    QStylePainter painter(button);
    painter.drawControl(QStyle::CE_Header, option);
}

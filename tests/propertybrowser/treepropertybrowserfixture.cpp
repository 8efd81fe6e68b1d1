#include "treepropertybrowserfixture.h"

#include <QApplication>
#include <QHeaderView>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>

void TreePropertyBrowserFixture::init()
{
    m_window = new QWidget;
    auto *layout = new QVBoxLayout(m_window);
    m_browser = new QtTreePropertyBrowser(m_window);
    m_elsewhere = new QLineEdit(m_window);
    m_elsewhere->setObjectName(QStringLiteral("elsewhere"));
    layout->addWidget(m_browser);
    layout->addWidget(m_elsewhere);
    m_manager = new QtVariantPropertyManager(m_window);
    m_factory = new QtVariantEditorFactory(m_window);
    m_browser->setFactoryForManager(m_manager, m_factory);
    m_window->resize(500, 400);
    m_window->show();
    QApplication::setActiveWindow(m_window);
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void TreePropertyBrowserFixture::cleanup()
{
    delete m_window;
    m_window = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

QtVariantProperty *TreePropertyBrowserFixture::addShown(int type, const QString &name)
{
    QtVariantProperty *property = m_manager->addProperty(type, name);
    m_browser->addProperty(property);
    return property;
}

QPoint TreePropertyBrowserFixture::valueCell(QtProperty *property) const
{
    QTreeWidget *tree = m_browser->treeWidget();
    const QRect row = tree->visualItemRect(m_browser->items(property).value(0));
    const QHeaderView *header = tree->header();
    return QPoint(header->sectionViewportPosition(1) + header->sectionSize(1) / 2, row.center().y());
}

void TreePropertyBrowserFixture::clickValueCell(QtProperty *property)
{
    QTest::mouseClick(m_browser->treeWidget()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      valueCell(property));
}

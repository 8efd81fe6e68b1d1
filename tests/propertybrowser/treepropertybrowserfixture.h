#pragma once

#include "qttreepropertybrowser.h"
#include "qtvarianteditorfactory.h"
#include "qtvariantproperty.h"
#include "qtvariantpropertymanager.h"

#include <QLineEdit>
#include <QObject>
#include <QPoint>

/**
 * A browser per test in a shown, active window, beside a line edit that can
 * take the focus away, with one manager and the default editors. Qt Test
 * runs the private slots for every class deriving from it, as if they were
 * the test class's own.
 */
class TreePropertyBrowserFixture : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

protected:
    static inline const int enumType = QtVariantPropertyManager::enumTypeId();
    static inline const int flagType = QtVariantPropertyManager::flagTypeId();
    static inline const int groupType = QtVariantPropertyManager::groupTypeId();

    QtVariantProperty *addShown(int type, const QString &name);
    QPoint valueCell(QtProperty *property) const;
    void clickValueCell(QtProperty *property);
    QWidget *openedEditor() const { return m_browser->currentEditor(); }

    QWidget *m_window = nullptr;
    QtTreePropertyBrowser *m_browser = nullptr;
    QLineEdit *m_elsewhere = nullptr;
    QtVariantPropertyManager *m_manager = nullptr;
    QtVariantEditorFactory *m_factory = nullptr;
};

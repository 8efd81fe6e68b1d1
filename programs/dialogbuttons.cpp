#include "dialogbuttons.h"

#include <QCoreApplication>

QPushButton *addOkCancelButtons(QDialog *dialog, QPushButton **cancel)
{
    auto *ok = new QPushButton(QCoreApplication::translate("DialogButtons", "OK"), dialog);
    ok->setObjectName(QStringLiteral("pushButton_OK"));
    ok->setGeometry(225, 15, 50, 25);
    *cancel = new QPushButton(QCoreApplication::translate("DialogButtons", "Cancel"), dialog);
    (*cancel)->setObjectName(QStringLiteral("pushButton_Cancel"));
    (*cancel)->setGeometry(225, 45, 50, 25);
    ok->setFocus();
    return ok;
}

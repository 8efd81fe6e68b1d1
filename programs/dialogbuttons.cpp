#include "dialogbuttons.h"

QPushButton *addOkCancelButtons(QDialog *dialog, QPushButton **cancel)
{
    auto *ok = new QPushButton(QStringLiteral("OK"), dialog);
    ok->setObjectName(QStringLiteral("pushButton_OK"));
    ok->setGeometry(225, 15, 50, 25);
    *cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
    (*cancel)->setObjectName(QStringLiteral("pushButton_Cancel"));
    (*cancel)->setGeometry(225, 45, 50, 25);
    ok->setFocus();
    return ok;
}

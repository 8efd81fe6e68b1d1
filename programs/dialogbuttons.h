#pragma once

#include <QDialog>
#include <QPushButton>

/**
 * OK above Cancel at the right of the small 300 x 80 input dialogs (hot
 * key, group name), OK with the focus. The slots are the dialog's own,
 * so that a test can click either button by its object name.
 */
QPushButton *addOkCancelButtons(QDialog *dialog, QPushButton **cancel);

template<typename Dialog>
void addOkCancelButtons(Dialog *dialog, void (Dialog::*onOk)(), void (Dialog::*onCancel)())
{
    QPushButton *cancel = nullptr;
    QPushButton *ok = addOkCancelButtons(dialog, &cancel);
    QObject::connect(ok, &QPushButton::clicked, dialog, onOk);
    QObject::connect(cancel, &QPushButton::clicked, dialog, onCancel);
}

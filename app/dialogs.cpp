#include "dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

QString StandardDialogs::getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                                         const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString StandardDialogs::getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                         const QString &filter, QString *selectedFilter)
{
    return QFileDialog::getSaveFileName(parent, caption, dir, filter, selectedFilter);
}

void StandardDialogs::critical(QWidget *parent, const QString &title, const QString &text,
                               const QString &informative)
{
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, parent);
    box.setInformativeText(informative);
    box.exec();
}

void StandardDialogs::about(QWidget *parent, const QString &title, const QString &text,
                            const QString &informative)
{
    if (informative.isEmpty()) {
        QMessageBox::about(parent, title, text);
        return;
    }
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
    box.setInformativeText(informative);
    box.exec();
}

bool StandardDialogs::warningOkCancel(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok | QMessageBox::Cancel, parent);
    // No default: Enter must not discard changes; Escape still cancels.
    for (QAbstractButton *button : box.buttons()) {
        if (auto *push = qobject_cast<QPushButton *>(button))
            push->setAutoDefault(false);
    }
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

#include "dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

QString StandardDialogs::getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                                         const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString StandardDialogs::getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                         const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

void StandardDialogs::critical(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox::critical(parent, title, text);
}

void StandardDialogs::about(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox::about(parent, title, text);
}

bool StandardDialogs::warningOkCancel(QWidget *parent, const QString &title, const QString &text)
{
    return QMessageBox::warning(parent, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                                QMessageBox::NoButton)
        == QMessageBox::Ok;
}

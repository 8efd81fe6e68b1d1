#include "dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

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

QMessageBox::StandardButton StandardDialogs::warningSaveDiscardCancel(QWidget *parent, const QString &title,
                                                                      const QString &text)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                    parent);
    // Enter keeps the work; only a deliberate Discard loses it.
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    const int answer = box.exec();
    return answer == QMessageBox::Save || answer == QMessageBox::Discard ? QMessageBox::StandardButton(answer)
                                                                         : QMessageBox::Cancel;
}

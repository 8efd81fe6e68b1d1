#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// Every file dialog and message box the main window shows goes through here,
// so that tests can answer them without anything appearing on screen.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // Empty when the user cancelled.
    virtual QString getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                                    const QString &filter)
        = 0;
    // dir may end in a proposed file name; selectedFilter receives the filter chosen.
    virtual QString getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                    const QString &filter, QString *selectedFilter = nullptr)
        = 0;

    // A critical box with OK only; informative text below the text when not empty.
    virtual void critical(QWidget *parent, const QString &title, const QString &text,
                          const QString &informative = QString())
        = 0;
    // An about box (information, OK only).
    virtual void about(QWidget *parent, const QString &title, const QString &text,
                       const QString &informative = QString())
        = 0;
    // A warning with Save (the default), Discard and Cancel (Escape); the button chosen.
    virtual QMessageBox::StandardButton warningSaveDiscardCancel(QWidget *parent, const QString &title,
                                                                 const QString &text)
        = 0;
};

// The real dialogs: QFileDialog and QMessageBox.
class StandardDialogs : public Dialogs
{
public:
    QString getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                            const QString &filter) override;
    QString getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                            const QString &filter, QString *selectedFilter = nullptr) override;
    void critical(QWidget *parent, const QString &title, const QString &text,
                  const QString &informative = QString()) override;
    void about(QWidget *parent, const QString &title, const QString &text,
               const QString &informative = QString()) override;
    QMessageBox::StandardButton warningSaveDiscardCancel(QWidget *parent, const QString &title,
                                                         const QString &text) override;
};

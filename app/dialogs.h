#pragma once

#include <QString>
#include <QtGlobal>

class QWidget;

// Every file dialog and message box the main window shows goes through here,
// so that tests can answer them without anything appearing on screen.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // Empty when the user cancelled.
    virtual QString getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                                    const QString &filter) = 0;
    virtual QString getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                    const QString &filter) = 0;

    // A critical box with OK only.
    virtual void critical(QWidget *parent, const QString &title, const QString &text) = 0;
    // An about box (information, OK only).
    virtual void about(QWidget *parent, const QString &title, const QString &text) = 0;
    // A warning with OK and Cancel and no default button; true for OK.
    virtual bool warningOkCancel(QWidget *parent, const QString &title, const QString &text) = 0;
    // An information box (OK only) whose informative text says more.
    virtual void information(QWidget *parent, const QString &title, const QString &text,
                             const QString &informative)
    {
        Q_UNUSED(informative)
        about(parent, title, text);
    }
};

// The real dialogs: QFileDialog and QMessageBox.
class StandardDialogs : public Dialogs
{
public:
    QString getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                            const QString &filter) override;
    QString getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                            const QString &filter) override;
    void critical(QWidget *parent, const QString &title, const QString &text) override;
    void about(QWidget *parent, const QString &title, const QString &text) override;
    bool warningOkCancel(QWidget *parent, const QString &title, const QString &text) override;
    void information(QWidget *parent, const QString &title, const QString &text,
                     const QString &informative) override;
};

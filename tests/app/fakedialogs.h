#pragma once

#include "dialogs.h"

#include <QList>
#include <QStringList>

// Answers file dialogs and message boxes from queues and records every call.
class FakeDialogs : public Dialogs
{
public:
    struct Call
    {
        QString kind; // "open", "save", "critical", "about", "warning"
        QWidget *parent;
        QString title;
        QString text; // the folder for file dialogs
        QString filter;
        QString informative; // below a message's text
    };

    QList<Call> calls;
    QStringList openAnswers;
    QStringList saveAnswers;
    QStringList saveFilterAnswers; // the filter chosen with each save answer; none: left alone
    QList<QMessageBox::StandardButton> warningAnswers;
    // The warning shows the real box, for a test to answer with the keyboard.
    bool realWarnings = false;

    void reset()
    {
        calls.clear();
        openAnswers.clear();
        saveAnswers.clear();
        saveFilterAnswers.clear();
        warningAnswers.clear();
        realWarnings = false;
    }

    QList<Call> callsOf(const QString &kind) const
    {
        QList<Call> found;
        for (const Call &c : calls) {
            if (c.kind == kind)
                found << c;
        }
        return found;
    }

    // The message boxes only, as "kind|title|text".
    QStringList messages() const
    {
        QStringList found;
        for (const Call &c : calls) {
            if (c.kind != QLatin1String("open") && c.kind != QLatin1String("save"))
                found << c.kind + QLatin1Char('|') + c.title + QLatin1Char('|') + c.text;
        }
        return found;
    }

    QString getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                            const QString &filter) override
    {
        calls << Call{QStringLiteral("open"), parent, caption, dir, filter, QString()};
        return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
    }
    QString getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                            const QString &filter, QString *selectedFilter = nullptr) override
    {
        calls << Call{QStringLiteral("save"), parent, caption, dir, filter, QString()};
        if (selectedFilter && !saveFilterAnswers.isEmpty())
            *selectedFilter = saveFilterAnswers.takeFirst();
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    }
    void critical(QWidget *parent, const QString &title, const QString &text,
                  const QString &informative = QString()) override
    {
        calls << Call{QStringLiteral("critical"), parent, title, text, QString(), informative};
    }
    void about(QWidget *parent, const QString &title, const QString &text,
               const QString &informative = QString()) override
    {
        calls << Call{QStringLiteral("about"), parent, title, text, QString(), informative};
    }
    QMessageBox::StandardButton warningSaveDiscardCancel(QWidget *parent, const QString &title,
                                                         const QString &text) override
    {
        calls << Call{QStringLiteral("warning"), parent, title, text, QString(), QString()};
        if (realWarnings)
            return StandardDialogs().warningSaveDiscardCancel(parent, title, text);
        // An unexpected warning is answered with Cancel, the safe side.
        return warningAnswers.isEmpty() ? QMessageBox::Cancel : warningAnswers.takeFirst();
    }
};

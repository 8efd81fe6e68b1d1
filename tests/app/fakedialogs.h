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
        QString kind;  // "open", "save", "critical", "about", "information", "warning"
        QWidget *parent;
        QString title;
        QString text;  // the folder for file dialogs
        QString filter; // an information box's informative text
    };

    QList<Call> calls;
    QStringList openAnswers;
    QStringList saveAnswers;
    QList<bool> warningAnswers;

    void reset()
    {
        calls.clear();
        openAnswers.clear();
        saveAnswers.clear();
        warningAnswers.clear();
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
        calls << Call{QStringLiteral("open"), parent, caption, dir, filter};
        return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
    }
    QString getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                            const QString &filter) override
    {
        calls << Call{QStringLiteral("save"), parent, caption, dir, filter};
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    }
    void critical(QWidget *parent, const QString &title, const QString &text) override
    {
        calls << Call{QStringLiteral("critical"), parent, title, text, QString()};
    }
    void about(QWidget *parent, const QString &title, const QString &text) override
    {
        calls << Call{QStringLiteral("about"), parent, title, text, QString()};
    }
    void information(QWidget *parent, const QString &title, const QString &text, const QString &informative) override
    {
        calls << Call{QStringLiteral("information"), parent, title, text, informative};
    }
    bool warningOkCancel(QWidget *parent, const QString &title, const QString &text) override
    {
        calls << Call{QStringLiteral("warning"), parent, title, text, QString()};
        // An unexpected warning is answered with Cancel, the safe side.
        return warningAnswers.isEmpty() ? false : warningAnswers.takeFirst();
    }
};

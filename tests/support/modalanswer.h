#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

/**
 * Answers the next modal dialog of type T: a repeating timer polls
 * QApplication::activeModalWidget() and hands the dialog to the answer once it
 * is up. Start it before the call that runs exec(); check answered() after.
 */
template<typename T>
class ModalAnswer
{
public:
    explicit ModalAnswer(std::function<void(T *)> answer)
        : m_answer(std::move(answer))
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start();
    }

    bool answered() const { return m_answered; }
    QString title() const { return m_title; }

private:
    void poll()
    {
        T *dialog = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        m_timer.stop();
        m_answered = true;
        m_title = dialog->windowTitle();
        m_answer(dialog);
    }

    std::function<void(T *)> m_answer;
    QTimer m_timer;
    bool m_answered = false;
    QString m_title;
};

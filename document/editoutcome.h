#pragma once

#include <QString>

#include <utility>

/**
 * What one edit of the facade did: it pushed one undo step, it found
 * nothing to change (accepted, no step), or it was refused. A refusal
 * carries the message the user reads, empty where the editor shows none.
 * It tests true unless refused, as the plain "did it go" answer did.
 */
class EditOutcome
{
public:
    enum class Kind { Unchanged,
                      Pushed,
                      Refused };

    EditOutcome() = default;
    static EditOutcome pushedStep() { return EditOutcome(Kind::Pushed); }
    static EditOutcome refusedWith(QString why = QString())
    {
        EditOutcome outcome(Kind::Refused);
        outcome.refusal = std::move(why);
        return outcome;
    }

    Kind kind() const { return m_kind; }
    bool isPushed() const { return m_kind == Kind::Pushed; }
    bool isRefused() const { return m_kind == Kind::Refused; }
    explicit operator bool() const { return m_kind != Kind::Refused; }

    QString refusal; // why it was refused; empty otherwise

protected:
    explicit EditOutcome(Kind kind)
        : m_kind(kind) {}
    void setKind(Kind kind) { m_kind = kind; }

private:
    Kind m_kind = Kind::Unchanged;
};

/**
 * An outcome with what the caller goes on with (the new programme's id, the
 * pasted ids, how many went); it reads as that value where one is expected.
 */
template<typename T>
class EditValue : public EditOutcome
{
public:
    EditValue(EditOutcome outcome, T value = T())
        : EditOutcome(std::move(outcome)), value(std::move(value)) {}
    operator T() const { return value; }

    T value;
};

#pragma once

class QStatusBar;
class QString;

/**
 * A wait cursor and a status message while a load or save blocks the one
 * thread (the lzma tool may run up to its time limit). Inactive, it does
 * nothing, so callers need no branch.
 */
class BusyStatus
{
public:
    BusyStatus(QStatusBar *bar, bool active, const QString &text);
    ~BusyStatus();
    BusyStatus(const BusyStatus &) = delete;
    BusyStatus &operator=(const BusyStatus &) = delete;

private:
    QStatusBar *m_bar;
};

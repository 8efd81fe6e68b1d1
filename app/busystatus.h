#pragma once

class QStatusBar;
class QString;

/**
 * A wait cursor and a status message while the parser runs the lzma tool,
 * which blocks the one thread for up to its time limit. Only the kinds that
 * pack or unpack (a flash image, a default database) show it.
 */
class BusyStatus
{
public:
    BusyStatus(QStatusBar *bar, int kind, const QString &text);
    ~BusyStatus();
    BusyStatus(const BusyStatus &) = delete;
    BusyStatus &operator=(const BusyStatus &) = delete;

private:
    QStatusBar *m_bar;
};

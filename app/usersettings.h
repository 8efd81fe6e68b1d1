#pragma once

#include <QSettings>

/**
 * The per-user settings (remembered folders, recent files) in the user's
 * configuration folder. The registry next to the program is only read, so
 * an installed program never writes into its own folder.
 */
class UserSettings : public QSettings
{
public:
    UserSettings()
        : QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tavrin"), QStringLiteral("Tavrin"))
    {
    }
};

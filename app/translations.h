#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;

/**
 * The language the editor speaks: the user's choice from View, Language
 * (kept in the per-user settings), else the system's. A choice takes effect
 * at the next start, when the translators are installed before any window.
 */
namespace Translations {

// "" follows the system; otherwise "en", "de" or "ru".
QString chosenLanguage();
void setChosenLanguage(const QString &code);
// The language the stored choice stands for.
QLocale chosenLocale();
// The folder of the editor's .qm files, beside the program or in the installed tree.
QString folder();
// Installs the editor's and Qt's own translations for the chosen language on
// app. Returns how many translators were installed (none for English).
int install(QCoreApplication *app);

} // namespace Translations

#include "crashhandler.h"
#include "opentiming.h"
#include "tavrin.h"
#include "translations.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    installCrashHandler();
    QApplication app(argc, argv);
    // The recovery files live under this name, whatever the program file is called.
    QCoreApplication::setApplicationName(QStringLiteral("Tavrin"));
    // Before the window: its texts are translated as it is built.
    Translations::install(&app);
    int result = 0;
    {
        Tavrin window;
        window.showMaximized();
        // The window is painted before a file given on the command line blocks the loop.
        app.processEvents();
        const QStringList arguments = QApplication::arguments();
        if (openTimingRequested()) {
            QTimer::singleShot(0, &window, [&window, arguments] {
                QCoreApplication::exit(runOpenTiming(window, arguments));
            });
        } else {
            // Once the loop runs, so that a question appears over the window.
            QTimer::singleShot(0, &window, [&window, arguments] {
                window.offerRecovery();
                window.openFromArguments(arguments);
            });
        }
        result = app.exec();
    }
    return result;
}

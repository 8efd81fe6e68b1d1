#include "crashhandler.h"
#include "tavrin.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    installCrashHandler();
    QApplication app(argc, argv);
    int result = 0;
    {
        Tavrin window;
        window.showMaximized();
        // Once the loop runs, so that a customer choice appears over the window.
        const QStringList arguments = QApplication::arguments();
        QTimer::singleShot(0, &window, [&window, arguments] { window.openFromArguments(arguments); });
        result = app.exec();
    }
    return result;
}

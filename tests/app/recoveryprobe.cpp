// The editor that dies: opens FILE with the registry INI, makes the recovery
// tests' edits and runs until it is killed. Prints "edited" once they are made.
#include "fakedialogs.h"
#include "recoveryedits.h"
#include "tavrin.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Tavrin"));
    if (argc != 3)
        return 2;
    FakeDialogs dialogs;
    Tavrin window(QString::fromLocal8Bit(argv[1]), &dialogs);
    window.show();
    window.openFile(QString::fromLocal8Bit(argv[2]));
    if (!makeRecoveryEdits(*window.document()))
        return 1;
    QTextStream(stdout) << "edited" << Qt::endl;
    return app.exec();
}

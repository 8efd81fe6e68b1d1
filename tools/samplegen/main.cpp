// tavrin-samplegen: writes a generated user-database dump for a configuration.
//   tavrin-samplegen CONFIG.xml small|large|stress OUT.udf

#include "samplegenerator.h"
#include "savefile.h"
#include "userdbdump.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    QTextStream err(stderr);
    const QLatin1String usage("usage: tavrin-samplegen CONFIG.xml small|large|stress OUT.udf\n");
    if (args.size() == 2 && (args.at(1) == QLatin1String("--help") || args.at(1) == QLatin1String("-h"))) {
        QTextStream(stdout) << usage;
        return 0;
    }
    if (args.size() != 4) {
        err << usage;
        return 2;
    }
    SampleSize size;
    if (args.at(2) == QLatin1String("small"))
        size = SampleSize::small();
    else if (args.at(2) == QLatin1String("large"))
        size = SampleSize::large();
    else if (args.at(2) == QLatin1String("stress"))
        size = SampleSize::stress();
    else {
        err << "unknown size " << args.at(2) << '\n';
        return 2;
    }
    ostrel::ParserConfig config;
    QString error;
    if (!ostrel::readConfigFile(args.at(1), config, &error)) {
        err << error << '\n';
        return 1;
    }
    const QByteArray dump = generateUserDump(config, size, &error);
    if (dump.isNull()) {
        err << "cannot generate " << args.at(3) << ": " << error << '\n';
        return 1;
    }
    if (!ostrel::saveFileAtomically(args.at(3), dump, &error)) {
        err << "cannot write " << error << '\n';
        return 1;
    }
    return 0;
}

// tavrin-cli: export and import the editor's file formats as JSON, through the
// same registry and binding the editor uses.

#include "csv.h"
#include "document.h"
#include "documentio.h"
#include "editoperations.h"
#include "fieldranges.h"
#include "filetyperegistry.h"
#include "importchecks.h"
#include "jsonexport.h"
#include "jsonimport.h"
#include "parserlibrary.h"
#include "serviceorder.h"
#include "savefile.h"
#include "textcapacities.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTextStream>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#if defined(__SANITIZE_ADDRESS__)
#define TAVRIN_FULL_TEARDOWN
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TAVRIN_FULL_TEARDOWN
#endif
#endif

namespace {

const char *const usageText = "usage:\n"
                              "  tavrin-cli export FILE [--customer NAME] [--format json|csv] [-o OUT]\n"
                              "  tavrin-cli import JSON -o FILE [--base BASE] [--customer NAME]\n"
                              "  tavrin-cli info FILE\n"
                              "  tavrin-cli edit FILE --ops OPS.json -o OUT [--customer NAME]\n";

enum Exit { ExitOk = 0,
            ExitFailed = 1,
            ExitUsage = 2 };

int fail(const QString &message, int code = ExitFailed)
{
    QTextStream(stderr) << message << '\n';
    return code;
}

int usage(const QString &problem)
{
    QTextStream err(stderr);
    err << "tavrin-cli: " << problem << '\n'
        << usageText;
    return ExitUsage;
}

struct Options
{
    QString command;
    QString input;
    QString output;
    QString base;
    QString ops;
    QString customer = QStringLiteral("defaultdb");
    QString format = QStringLiteral("json");
};

bool parseOptions(const QStringList &args, Options &o, QString *problem)
{
    if (args.size() < 2) {
        *problem = QStringLiteral("missing command");
        return false;
    }
    o.command = args.at(1);
    for (int i = 2; i < args.size(); ++i) {
        const QString &a = args.at(i);
        const bool takesValue = a == QLatin1String("-o") || a == QLatin1String("--base")
            || a == QLatin1String("--customer") || a == QLatin1String("--ops")
            || a == QLatin1String("--format");
        if (takesValue) {
            if (i + 1 >= args.size()) {
                *problem = QStringLiteral("%1 needs a value").arg(a);
                return false;
            }
            const QString &value = args.at(++i);
            if (a == QLatin1String("-o"))
                o.output = value;
            else if (a == QLatin1String("--base"))
                o.base = value;
            else if (a == QLatin1String("--ops"))
                o.ops = value;
            else if (a == QLatin1String("--format"))
                o.format = value;
            else
                o.customer = value;
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            *problem = QStringLiteral("unknown option %1").arg(a);
            return false;
        } else if (o.input.isEmpty()) {
            o.input = a;
        } else {
            *problem = QStringLiteral("unexpected argument %1").arg(a);
            return false;
        }
    }
    if (o.input.isEmpty()) {
        *problem = QStringLiteral("missing file");
        return false;
    }
    if (o.format != QLatin1String("json") && o.format != QLatin1String("csv")) {
        *problem = QStringLiteral("unknown format %1").arg(o.format);
        return false;
    }
    if (o.customer.isEmpty() || o.customer.contains(QLatin1Char(';'))) {
        *problem = QStringLiteral("a customer name must be non-empty and have no ';'");
        return false;
    }
    return true;
}

// What a command builds, held by main so that a run that succeeded can end
// without taking it apart.
struct Built
{
    DocumentData doc;
    std::unique_ptr<Document> document;
};

// The path as the library expects it: flash images carry the customer prefix.
QString parserPath(int kind, const QString &path, const QString &customer)
{
    return kind == OstrelFlashImage ? customer + QLatin1Char(';') + path : path;
}

// The editor's message for a file that did not load, with the reader's reason after it.
int failLoad(ParserLibrary &library)
{
    const QString reason = library.errorText();
    return fail(reason.isEmpty() ? QStringLiteral("Load Error!") : QStringLiteral("Load Error!\n") + reason);
}

// Binds the library for FILE's kind; false after printing the editor's message.
bool bindFor(const FileTypeRegistry &registry, ParserLibrary &library, const QString &file, int *kind)
{
    if (!QFile::exists(file)) {
        fail(QStringLiteral("tavrin-cli: %1: no such file").arg(file));
        return false;
    }
    const QString libraryName = registry.libraryForPath(file);
    if (libraryName.isEmpty() || !library.bind(libraryName)) {
        fail(QStringLiteral("This file isn't supported yet"));
        return false;
    }
    *kind = registry.kindForPath(file);
    return true;
}

// Opens FILE as File, Open would; false after printing the editor's message.
bool openDocument(const FileTypeRegistry &registry, ParserLibrary &library, const QString &file,
                  const QString &customer, DocumentData &doc, int *kind)
{
    if (!bindFor(registry, library, file, kind))
        return false;
    if (loadDocument(library, *kind, parserPath(*kind, file, customer), doc) != LoadStatus::Loaded) {
        failLoad(library);
        return false;
    }
    return true;
}

// Names every text the save just made had to cut; the library is bound for kind.
void reportCutTexts(ParserLibrary &library, int kind, const DocumentData &doc)
{
    QTextStream err(stderr);
    for (const QString &line : cutTexts(doc, TextCapacities::query(library, kind)))
        err << "tavrin-cli: cut: " << line << '\n';
}

bool writeOutput(const QString &path, const QByteArray &bytes, QString *error)
{
    if (path.isEmpty()) {
        if (fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) == size_t(bytes.size())
            && fflush(stdout) == 0)
            return true;
        *error = QStringLiteral("standard output: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    return ostrel::saveFileAtomically(path, bytes, error);
}

int runExport(const FileTypeRegistry &registry, ParserLibrary &library, const Options &o, Built &built)
{
    DocumentData &doc = built.doc;
    int kind = 0;
    if (!openDocument(registry, library, o.input, o.customer, doc, &kind))
        return ExitFailed;
    // Everything is copied out: the library's lists go before the text is built.
    library.clean();
    QByteArray bytes;
    if (o.format == QLatin1String("csv")) {
        QStringList fields;
        for (const TemplateField &field : doc.pgTemplate)
            fields << field.name;
        bytes = programmesCsv(*doc.database, fields);
    } else {
        bytes = documentJsonText(doc, kind);
    }
    QString error;
    if (!writeOutput(o.output, bytes, &error))
        return fail(QStringLiteral("tavrin-cli: cannot write %1").arg(error));
    return ExitOk;
}

int runInfo(const FileTypeRegistry &registry, ParserLibrary &library, const Options &o)
{
    int kind = 0;
    if (!bindFor(registry, library, o.input, &kind))
        return ExitFailed;
    // Only the numbers are shown, so the database itself is never built.
    DocumentSummary summary;
    if (loadSummary(library, kind, parserPath(kind, o.input, o.customer), summary) != LoadStatus::Loaded)
        return failLoad(library);
    QTextStream out(stdout);
    out << "kind: " << kind << '\n'
        << "satellites: " << summary.counts.satellites << '\n'
        << "transponders: " << summary.counts.transponders << '\n'
        << "programmes: " << summary.counts.programmes << '\n'
        << "favourites: " << summary.favourites << '\n'
        << "hot keys: " << summary.hotKeys << '\n'
        << "satellite maximum: " << summary.satMaxNum << '\n';
    return ExitOk;
}

// The editor's message for a save, with the writer's reason when it failed
// (a full disk, a folder that is not there).
int reportSave(ParserLibrary &library, SaveOutcome outcome, int result)
{
    switch (outcome) {
    case SaveOutcome::Saved:
        return ExitOk;
    case SaveOutcome::NoLibrary:
        return fail(QStringLiteral("Save Error!"));
    case SaveOutcome::NotSupported:
    case SaveOutcome::NotAttempted:
        break;
    }
    if (result == OstrelWriteFailed) {
        const QString reason = library.errorText();
        return fail(reason.isEmpty() ? QStringLiteral("Save Error!") : QStringLiteral("Save Error!\n") + reason);
    }
    return fail(QStringLiteral("This type isn't supported yet"));
}

int runImport(const FileTypeRegistry &registry, ParserLibrary &library, const Options &o, Built &built)
{
    if (o.output.isEmpty())
        return usage(QStringLiteral("import needs -o FILE"));
    ImportedDocument imported;
    {
        QFile jsonFile(o.input);
        if (!jsonFile.open(QIODevice::ReadOnly))
            return fail(QStringLiteral("tavrin-cli: cannot read %1").arg(o.input));
        // A regular file is mapped rather than copied (it is read once, front to
        // back), and let go of before the save.
        const qint64 size = jsonFile.size();
        const uchar *mapped = size > 0 && size < std::numeric_limits<int>::max() ? jsonFile.map(0, size) : nullptr;
        const QByteArray json = mapped ? QByteArray::fromRawData(reinterpret_cast<const char *>(mapped), int(size))
                                       : jsonFile.readAll();
        QString error;
        if (!documentFromJson(json, imported, &error))
            return fail(QStringLiteral("tavrin-cli: %1: %2").arg(o.input, error), ExitUsage);
    }

    // The base file leaves its header, trailing block or image in the library,
    // which the save then builds on.
    DocumentData &doc = built.doc;
    if (!o.base.isEmpty()) {
        int baseKind = 0;
        if (!openDocument(registry, library, o.base, o.customer, doc, &baseKind))
            return ExitFailed;
    }
    const int kind = registry.kindForPath(o.output);
    // A value the output cannot hold is refused before anything is written.
    const QString libraryName = registry.libraryByType.value(kind);
    if (!libraryName.isEmpty() && library.bind(libraryName)) {
        const QString refusal = importRefusal(*imported.database, doc.database.get(), FieldRanges::query(library, kind));
        if (!refusal.isEmpty())
            return fail(QStringLiteral("tavrin-cli: %1: %2").arg(o.input, refusal));
    }
    doc.database = std::move(imported.database);
    if (imported.favourites)
        doc.favouriteNames = *imported.favourites;

    if (kind == OstrelUserDump)
        ServiceOrder::sortByDefaultOrder(*doc.database);
    // A dump keeps its favourite names in the trailing block of the dump it
    // was loaded from; without one there is nowhere to write them.
    if (kind == OstrelUserDump && o.base.isEmpty() && !doc.favouriteNames.isEmpty())
        QTextStream(stderr) << "tavrin-cli: warning: without --base the dump gets no trailing block, "
                               "so its favourite names are not written\n";
    int result = -1;
    const SaveOutcome outcome = saveDocument(&library, registry.libraryByType.value(kind), kind,
                                             parserPath(kind, o.output, o.customer), doc, &result);
    if (outcome == SaveOutcome::Saved)
        reportCutTexts(library, kind, doc);
    return reportSave(library, outcome, result);
}

int runEdit(const FileTypeRegistry &registry, ParserLibrary &library, const Options &o, Built &built)
{
    if (o.output.isEmpty() || o.ops.isEmpty())
        return usage(QStringLiteral("edit needs --ops OPS.json and -o OUT"));
    QFile opsFile(o.ops);
    if (!opsFile.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("tavrin-cli: cannot read %1").arg(o.ops));
    QJsonParseError parseError;
    const QJsonDocument ops = QJsonDocument::fromJson(opsFile.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return fail(QStringLiteral("tavrin-cli: %1: offset %2: %3").arg(o.ops).arg(parseError.offset).arg(parseError.errorString()), ExitUsage);
    if (!ops.isArray())
        return fail(QStringLiteral("tavrin-cli: %1: the operations must be a JSON array").arg(o.ops), ExitUsage);

    DocumentData loaded;
    int kind = 0;
    if (!openDocument(registry, library, o.input, o.customer, loaded, &kind))
        return ExitFailed;
    built.document = std::make_unique<Document>();
    Document &document = *built.document;
    document.setFile(o.input, kind, o.customer);
    document.reset(std::move(loaded));

    // An Order Like reference of a kind we open is read through the same
    // binding; the library then reads the edited file again, as a save
    // reuses what it kept of it.
    bool rebind = false;
    const ReferenceLoader loadReference = [&](const QString &path, DocumentData *data, QString *error) {
        const QString libraryName = registry.libraryForPath(path);
        if (libraryName.isEmpty() || !QFile::exists(path))
            return false;
        rebind = true;
        if (!library.bind(libraryName)) {
            *error = QStringLiteral("This file isn't supported yet");
            return false;
        }
        const int referenceKind = registry.kindForPath(path);
        if (loadDocument(library, referenceKind, parserPath(referenceKind, path, o.customer), *data) != LoadStatus::Loaded) {
            const QString reason = library.errorText();
            *error = reason.isEmpty() ? QStringLiteral("Load Error!") : QStringLiteral("Load Error!\n") + reason;
            return false;
        }
        return true;
    };
    QString message;
    const EditResult applied = applyOperations(document, ops.array(), &message, loadReference);
    DocumentSummary unused;
    if (rebind && (!library.bind(registry.libraryForPath(o.input)) || loadSummary(library, kind, parserPath(kind, o.input, o.customer), unused) != LoadStatus::Loaded))
        return failLoad(library);
    switch (applied) {
    case EditResult::Applied:
        break;
    case EditResult::Refused:
        return fail(message);
    case EditResult::Malformed:
        return fail(QStringLiteral("tavrin-cli: %1: %2").arg(o.ops, message), ExitUsage);
    }

    if (o.output.endsWith(QLatin1String(".json"), Qt::CaseInsensitive)) {
        const QByteArray json = QJsonDocument(documentToJson(document.data(), kind)).toJson(QJsonDocument::Indented);
        QString error;
        if (!writeOutput(o.output, json, &error))
            return fail(QStringLiteral("tavrin-cli: cannot write %1").arg(error));
        return ExitOk;
    }
    const int outKind = registry.kindForPath(o.output);
    int result = -1;
    const SaveOutcome outcome = document.save(&library, registry.libraryByType.value(outKind), o.output, outKind, o.customer, &result);
    if (outcome == SaveOutcome::Saved) {
        if (!document.saveNote().isEmpty())
            std::fprintf(stderr, "%s\n", qPrintable(document.saveNote()));
        reportCutTexts(library, outKind, document.data());
    }
    return reportSave(library, outcome, result);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Options options;
    QString problem;
    if (!parseOptions(QCoreApplication::arguments(), options, &problem))
        return usage(problem);

    const FileTypeRegistry registry = FileTypeRegistry::fromFile(FileTypeRegistry::defaultIniPath());
    ParserLibrary library;
    Built built;
    int rc = ExitUsage;
    if (options.command == QLatin1String("export"))
        rc = runExport(registry, library, options, built);
    else if (options.command == QLatin1String("import"))
        rc = runImport(registry, library, options, built);
    else if (options.command == QLatin1String("info"))
        rc = runInfo(registry, library, options);
    else if (options.command == QLatin1String("edit"))
        rc = runEdit(registry, library, options, built);
    else
        return usage(QStringLiteral("unknown command %1").arg(options.command));
#ifndef TAVRIN_FULL_TEARDOWN
    // Whatever the run wrote is written and checked by now. Handing a large
    // database back block by block would only cost time that the system
    // saves at once; a sanitizer build takes it apart to find leaks.
    if (rc == ExitOk && std::fflush(stdout) == 0)
        std::quick_exit(rc);
#endif
    library.clean();
    library.unload();
    return rc;
}

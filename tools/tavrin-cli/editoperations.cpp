#include "editoperations.h"

#include "document.h"
#include "documentedits.h"
#include "orderlike.h"
#include "sortorder.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonObject>
#include <QUndoStack>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

namespace {

// Why one operation did not run; malformed means the OPS file itself is wrong.
struct Failure
{
    QString text;
    bool malformed = false;
};

using Operation = std::function<bool(Document &, const QJsonObject &, Failure &)>;

bool fail(Failure &failure, const QString &text, bool malformed = false)
{
    failure = Failure{text, malformed};
    return false;
}

bool readId(const QJsonObject &op, const QString &key, quint32 *id, Failure &failure)
{
    const QJsonValue value = op.value(key);
    const double number = value.toDouble(-1);
    if (!value.isDouble() || number < 0 || number > 4294967295.0 || number != double(quint32(number)))
        return fail(failure, QStringLiteral("'%1' must be an id").arg(key), true);
    *id = quint32(number);
    return true;
}

bool readIds(const QJsonObject &op, QVector<quint32> *ids, Failure &failure)
{
    const QJsonValue value = op.value(QStringLiteral("ids"));
    if (!value.isArray() || value.toArray().isEmpty())
        return fail(failure, QStringLiteral("'ids' must be a non-empty array of ids"), true);
    for (const QJsonValue entry : value.toArray()) {
        QJsonObject one{{QStringLiteral("id"), entry}};
        quint32 id = 0;
        if (!readId(one, QStringLiteral("id"), &id, failure))
            return fail(failure, QStringLiteral("'ids' must be a non-empty array of ids"), true);
        ids->append(id);
    }
    return true;
}

bool readKind(const QJsonObject &op, NodeKind *kind, Failure &failure)
{
    const QString text = op.value(QStringLiteral("kind")).toString();
    if (text == QLatin1String("satellite"))
        *kind = NodeKind::Satellite;
    else if (text == QLatin1String("transponder"))
        *kind = NodeKind::Transponder;
    else if (text == QLatin1String("programme"))
        *kind = NodeKind::Programme;
    else
        return fail(failure, QStringLiteral("'kind' must be satellite, transponder or programme"), true);
    return true;
}

QString kindName(NodeKind kind)
{
    switch (kind) {
    case NodeKind::Satellite:
        return QStringLiteral("satellite");
    case NodeKind::Transponder:
        return QStringLiteral("transponder");
    case NodeKind::Programme:
        break;
    }
    return QStringLiteral("programme");
}

// The satellite that holds the TP, if any; TP ids are unique per satellite
// only, and a new satellite's id can be any value.
std::optional<quint32> satelliteOfTp(const Document &document, quint32 tpId)
{
    for (const DB_NS::SatNode *sat : document.database()->sats()) {
        if (sat->findTP(tpId))
            return sat->id();
    }
    return std::nullopt;
}

// Rows of All Services with TV and radio shown and no filter: the service order.
bool serviceRows(const Document &document, const QVector<quint32> &ids, QVector<quint32> *rowIds,
                 QVector<int> *rows, Failure &failure)
{
    *rowIds = document.serviceOrder();
    QHash<quint32, int> rowOfId;
    rowOfId.reserve(rowIds->size());
    for (int row = 0; row < rowIds->size(); ++row)
        rowOfId.insert(rowIds->at(row), row);
    for (const quint32 id : ids) {
        const auto it = rowOfId.constFind(id);
        if (it == rowOfId.constEnd())
            return fail(failure, QStringLiteral("no programme %1").arg(id));
        rows->append(it.value());
    }
    return true;
}

bool editValues(Document &document, const QJsonObject &op, Failure &failure)
{
    NodeKind kind = NodeKind::Programme;
    quint32 id = 0;
    if (!readKind(op, &kind, failure) || !readId(op, QStringLiteral("id"), &id, failure))
        return false;
    const QJsonValue values = op.value(QStringLiteral("values"));
    if (!values.isObject())
        return fail(failure, QStringLiteral("'values' must be an object of field texts"), true);
    const std::optional<quint32> satId = kind == NodeKind::Transponder ? satelliteOfTp(document, id) : std::nullopt;
    const DB_NS::Node *node = document.findNode(kind, id, satId);
    if (!node)
        return fail(failure, QStringLiteral("no %1 %2").arg(kindName(kind)).arg(id));

    DB_NS::PGNode edited(id);
    edited.setAttributes(node->attributes());
    const QJsonObject texts = values.toObject();
    for (auto it = texts.constBegin(); it != texts.constEnd(); ++it) {
        if (!it.value().isString())
            return fail(failure, QStringLiteral("values.%1 must be a text").arg(it.key()), true);
        edited.setValue(it.key(), it.value().toString());
    }
    // The document runs the field triggers and the dialog's checks. Only a
    // TP's satellite is read, and a TP has one by now.
    const EditOutcome outcome = document.edits().editNode(kind, id, satId.value_or(0), edited.attributes());
    if (!outcome)
        return fail(failure, outcome.refusal.isEmpty() ? QStringLiteral("no %1 %2").arg(kindName(kind)).arg(id) : outcome.refusal);
    return true;
}

bool renameGroup(Document &document, const QJsonObject &op, Failure &failure)
{
    const QJsonValue group = op.value(QStringLiteral("group"));
    const QJsonValue name = op.value(QStringLiteral("name"));
    if (!group.isDouble() || !name.isString())
        return fail(failure, QStringLiteral("needs 'group' (index) and 'name' (text)"), true);
    const int index = group.toInt(-1);
    if (index < 0 || index >= document.favouriteNames().size())
        return fail(failure, QStringLiteral("no favourite group %1").arg(index));
    const EditOutcome outcome = document.edits().renameGroup(index, name.toString());
    return outcome ? true : fail(failure, outcome.refusal);
}

// --- the tree's operations ---------------------------------------------

bool readTreeKind(const QJsonObject &op, NodeKind *kind, Failure &failure)
{
    if (!readKind(op, kind, failure) || *kind == NodeKind::Programme)
        return fail(failure, QStringLiteral("'kind' must be satellite or transponder"), true);
    return true;
}

// Satellites, or TPs of one satellite (whose id goes to satId).
bool treeNodes(const Document &document, NodeKind kind, const QVector<quint32> &ids, quint32 *satId,
               Failure &failure)
{
    *satId = DB_NS::NoId;
    for (int i = 0; i < ids.size(); ++i) {
        const quint32 id = ids.at(i);
        if (kind == NodeKind::Satellite) {
            if (!document.findNode(kind, id))
                return fail(failure, QStringLiteral("no satellite %1").arg(id));
            continue;
        }
        const std::optional<quint32> sat = i == 0 ? satelliteOfTp(document, id) : *satId;
        if (!document.findNode(kind, id, sat))
            return fail(failure, i == 0 ? QStringLiteral("no transponder %1").arg(id) : QStringLiteral("no transponder %1 on satellite %2").arg(id).arg(*satId));
        *satId = *sat;
    }
    return true;
}

bool deleteNodes(Document &document, const QJsonObject &op, Failure &failure)
{
    NodeKind kind;
    QVector<quint32> ids;
    quint32 satId = 0;
    if (!readTreeKind(op, &kind, failure) || !readIds(op, &ids, failure)
        || !treeNodes(document, kind, ids, &satId, failure))
        return false;
    return bool(document.edits().removeNodes(kind, satId, ids));
}

// The property dialog's OK on a new node: every field of the template, the
// given text or the field's default.
bool addNode(Document &document, const QJsonObject &op, Failure &failure)
{
    NodeKind kind;
    if (!readTreeKind(op, &kind, failure))
        return false;
    quint32 satId = DB_NS::NoId;
    if (kind == NodeKind::Transponder) {
        if (!readId(op, QStringLiteral("parent"), &satId, failure))
            return false;
        if (!document.findNode(NodeKind::Satellite, satId))
            return fail(failure, QStringLiteral("no satellite %1").arg(satId));
    }
    const QJsonValue values = op.value(QStringLiteral("values"));
    if (!values.isObject() && !values.isUndefined())
        return fail(failure, QStringLiteral("'values' must be an object of field texts"), true);
    const QJsonObject texts = values.toObject();
    const TemplateMap &fields = document.fieldsOf(kind);
    for (auto it = texts.constBegin(); it != texts.constEnd(); ++it) {
        if (!it.value().isString())
            return fail(failure, QStringLiteral("values.%1 must be a text").arg(it.key()), true);
        if (!fields.contains(it.key()))
            return fail(failure, QStringLiteral("values.%1 names no field").arg(it.key()), true);
    }
    DocumentEdits &edits = document.edits();
    if (kind == NodeKind::Satellite && edits.satelliteLimitReached())
        return fail(failure, QStringLiteral("Can't add satellite anymore!"));
    std::unique_ptr<DB_NS::Node> node = edits.newNode(kind, satId);
    for (const TemplateField &field : document.templateOf(kind))
        node->addAttribute(field.name, texts.value(field.name).toString(field.defaultText));
    const EditOutcome outcome = edits.addNode(kind, satId, std::move(node));
    return outcome ? true : fail(failure, outcome.refusal);
}

bool moveNodesTo(Document &document, const QJsonObject &op, Failure &failure)
{
    NodeKind kind;
    QVector<quint32> ids;
    quint32 satId = 0, before = 0;
    if (!readTreeKind(op, &kind, failure) || !readIds(op, &ids, failure)
        || !readId(op, QStringLiteral("before"), &before, failure)
        || !treeNodes(document, kind, ids + QVector<quint32>{before}, &satId, failure))
        return false;
    if (ids.contains(before))
        return fail(failure, QStringLiteral("%1 is moved itself").arg(before));
    return bool(document.edits().moveNodesBefore(kind, satId, ids, before));
}

bool exchangeNodes(Document &document, const QJsonObject &op, Failure &failure)
{
    NodeKind kind;
    quint32 satId = 0, id = 0, with = 0;
    if (!readTreeKind(op, &kind, failure) || !readId(op, QStringLiteral("id"), &id, failure)
        || !readId(op, QStringLiteral("with"), &with, failure)
        || !treeNodes(document, kind, {id, with}, &satId, failure))
        return false;
    if (id == with)
        return fail(failure, QStringLiteral("%1 cannot change places with itself").arg(id));
    return bool(document.edits().exchangeNodes(kind, satId, id, with));
}

bool pasteTransponders(Document &document, const QJsonObject &op, Failure &failure)
{
    QVector<quint32> ids;
    quint32 source = 0, target = 0;
    if (!readIds(op, &ids, failure) || !readId(op, QStringLiteral("satellite"), &target, failure)
        || !treeNodes(document, NodeKind::Transponder, ids, &source, failure))
        return false;
    if (!document.findNode(NodeKind::Satellite, target))
        return fail(failure, QStringLiteral("no satellite %1").arg(target));
    document.edits().copyTransponders(source, ids);
    return !document.edits().pasteTransponders(target).value.isEmpty();
}

Operation moveBy(bool up)
{
    return [up](Document &document, const QJsonObject &op, Failure &failure) {
        QVector<quint32> ids, rowIds;
        QVector<int> rows;
        if (!readIds(op, &ids, failure) || !serviceRows(document, ids, &rowIds, &rows, failure))
            return false;
        const DocumentEdits::MoveOutcome outcome = up ? document.edits().moveUp(rowIds, rows) : document.edits().moveDown(rowIds, rows);
        return outcome.refusal.isEmpty() ? true : fail(failure, outcome.refusal);
    };
}

// ---- programme operations ---------------------------------------------------

bool programmeExists(const Document &document, quint32 id, Failure &failure)
{
    return document.database()->findPG(id) ? true : fail(failure, QStringLiteral("no programme %1").arg(id));
}

Operation moveOrSwitch(bool move)
{
    return [move](Document &document, const QJsonObject &op, Failure &failure) {
        QVector<quint32> ids, rowIds;
        QVector<int> rows;
        const QJsonValue to = op.value(QStringLiteral("to"));
        if (!to.isDouble() || to.toDouble() != double(to.toInt()))
            return fail(failure, QStringLiteral("'to' must be a position"), true);
        if (!readIds(op, &ids, failure) || !serviceRows(document, ids, &rowIds, &rows, failure))
            return false;
        const DocumentEdits::MoveOutcome outcome = move ? document.edits().moveTo(rowIds, rows, to.toInt())
                                                        : document.edits().switchTo(rowIds, rows, to.toInt());
        return outcome.refusal.isEmpty() ? true : fail(failure, outcome.refusal);
    };
}

bool deleteRecords(Document &document, const QJsonObject &op, Failure &failure)
{
    NodeKind kind;
    QVector<quint32> ids;
    if (!readKind(op, &kind, failure) || !readIds(op, &ids, failure))
        return false;
    if (kind != NodeKind::Programme)
        return fail(failure, QStringLiteral("deleting a %1 is not offered here").arg(kindName(kind)));
    for (const quint32 id : qAsConst(ids)) {
        if (!programmeExists(document, id, failure))
            return false;
    }
    document.edits().deleteProgrammes(ids);
    return true;
}

bool addRecord(Document &document, const QJsonObject &op, Failure &failure)
{
    NodeKind kind;
    quint32 parent = 0;
    if (!readKind(op, &kind, failure) || !readId(op, QStringLiteral("parent"), &parent, failure))
        return false;
    if (kind != NodeKind::Programme)
        return fail(failure, QStringLiteral("adding a %1 is not offered here").arg(kindName(kind)));
    quint32 before = DB_NS::NoId;
    if (op.contains(QStringLiteral("before")) && !readId(op, QStringLiteral("before"), &before, failure))
        return false;
    const QJsonValue values = op.value(QStringLiteral("values"));
    if (!values.isObject())
        return fail(failure, QStringLiteral("'values' must be an object of field texts"), true);
    const std::optional<quint32> satId = satelliteOfTp(document, parent);
    if (!satId)
        return fail(failure, QStringLiteral("no transponder %1").arg(parent));
    if (before != DB_NS::NoId && !document.database()->findSat(*satId)->findTP(parent)->findPG(before))
        return fail(failure, QStringLiteral("no programme %1 in transponder %2").arg(before).arg(parent));
    // A new programme starts from the template's defaults, as the property dialog shows it.
    DB_NS::PGNode fresh(0);
    for (const TemplateField &field : document.templateOf(NodeKind::Programme))
        fresh.setValue(field.name, field.defaultText);
    const QJsonObject texts = values.toObject();
    for (auto it = texts.constBegin(); it != texts.constEnd(); ++it) {
        if (!it.value().isString())
            return fail(failure, QStringLiteral("values.%1 must be a text").arg(it.key()), true);
        fresh.setValue(it.key(), it.value().toString());
    }
    const EditOutcome outcome = document.edits().insertProgramme(*satId, parent, before, fresh.attributes());
    return outcome ? true : fail(failure, outcome.refusal);
}

Operation copyOrCutTo(bool cut)
{
    return [cut](Document &document, const QJsonObject &op, Failure &failure) {
        quint32 id = 0, tp = 0;
        if (!readId(op, QStringLiteral("id"), &id, failure) || !readId(op, QStringLiteral("tp"), &tp, failure)
            || !programmeExists(document, id, failure))
            return false;
        const quint32 copy = cut ? document.edits().cutTo(id, tp) : document.edits().copyTo(id, tp);
        // The TP choice lists only the other TPs of the programme's satellite.
        return copy != DB_NS::NoId
            ? true
            : fail(failure, QStringLiteral("no other transponder %1 on the satellite of programme %2").arg(tp).arg(id));
    };
}

bool paste(Document &document, const QJsonObject &op, Failure &failure)
{
    QVector<quint32> ids, rowIds;
    QVector<int> rows;
    quint32 tp = 0;
    if (!readIds(op, &ids, failure) || !readId(op, QStringLiteral("tp"), &tp, failure)
        || !serviceRows(document, ids, &rowIds, &rows, failure))
        return false;
    const std::optional<quint32> satId = satelliteOfTp(document, tp);
    if (!satId)
        return fail(failure, QStringLiteral("no transponder %1").arg(tp));
    // Copied as the table's rows are, whatever order ids lists them in.
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    ids.clear();
    for (const int row : qAsConst(rows))
        ids.append(rowIds.at(row));
    document.edits().copyProgrammes(ids);
    document.edits().paste(*satId, tp);
    return true;
}

Operation history(bool undo)
{
    return [undo](Document &document, const QJsonObject &, Failure &failure) {
        QUndoStack *stack = document.undoStack();
        if (undo ? !stack->canUndo() : !stack->canRedo())
            return fail(failure, undo ? QStringLiteral("nothing to undo") : QStringLiteral("nothing to redo"));
        undo ? stack->undo() : stack->redo();
        return true;
    };
}

// The group editor's Add (member true) or Remove on those rows, then OK. A
// programme without "FAV" has no member cell there, so it is passed over.
bool favourite(Document &document, const QJsonObject &op, Failure &failure)
{
    QVector<quint32> ids;
    const QJsonValue group = op.value(QStringLiteral("group"));
    const QJsonValue member = op.value(QStringLiteral("member"));
    if (!readIds(op, &ids, failure))
        return false;
    if (!group.isDouble() || !member.isBool())
        return fail(failure, QStringLiteral("needs 'group' (index) and 'member' (true or false)"), true);
    const int index = group.toInt(-1);
    // A group past bit 31 has no bit in "FAV", so the editor offers none.
    if (index < 0 || index > 31 || index >= document.favouriteNames().size())
        return fail(failure, QStringLiteral("no favourite group %1").arg(group.toInt(-1)));
    QVector<DocumentEdits::Membership> memberships;
    for (const quint32 id : qAsConst(ids)) {
        if (!programmeExists(document, id, failure))
            return false;
        memberships.append({id, member.toBool()});
    }
    return bool(document.edits().editGroup(1u << index, memberships));
}

bool dedupe(Document &document, const QJsonObject &, Failure &)
{
    document.edits().removeDuplicates();
    return true;
}

// Sort…: text compares by code point unless a locale is asked for, so a
// script gives the same order on every machine.
bool sort(Document &document, const QJsonObject &op, Failure &failure)
{
    SortRequest request;
    const QJsonValue by = op.value(QStringLiteral("by"));
    for (const QJsonValue key : by.toArray()) {
        if (!key.isString())
            break;
        request.keys.append(key.toString());
    }
    if (!by.isArray() || request.keys.size() != by.toArray().size())
        return fail(failure, QStringLiteral("'by' must be an array of keys"), true);
    const QJsonValue tvFirst = op.value(QStringLiteral("tvFirst"));
    const QJsonValue locale = op.value(QStringLiteral("locale"));
    if (!(tvFirst.isUndefined() || tvFirst.isBool()) || !(locale.isUndefined() || locale.isString()))
        return fail(failure, QStringLiteral("'tvFirst' must be true or false and 'locale' a locale name"), true);
    request.tvFirst = tvFirst.toBool();
    request.collation = locale.isString() ? SortRequest::Collation::Locale : SortRequest::Collation::CodePoint;
    request.locale = QLocale(locale.toString());
    if (op.contains(QStringLiteral("ids"))) {
        if (!readIds(op, &request.ids, failure))
            return false;
        for (const quint32 id : qAsConst(request.ids)) {
            if (!programmeExists(document, id, failure))
                return false;
        }
    }
    const EditOutcome outcome = document.edits().sortProgrammes(request);
    return outcome ? true : fail(failure, outcome.refusal);
}

// Order Like…: a list of names, an exported JSON, or a file the editor opens.
bool reorderLike(Document &document, const QJsonObject &op, Failure &failure, const ReferenceLoader &loadReference)
{
    const QJsonValue names = op.value(QStringLiteral("names"));
    const QJsonValue file = op.value(QStringLiteral("file"));
    QVector<ReferenceEntry> reference;
    QString referenceName = QStringLiteral("the list");
    if (names.isArray() && !op.contains(QStringLiteral("file"))) {
        QStringList list;
        for (const QJsonValue name : names.toArray()) {
            if (!name.isString())
                return fail(failure, QStringLiteral("'names' must be an array of texts"), true);
            list.append(name.toString());
        }
        reference = OrderLike::fromNames(list);
    } else if (file.isString() && !op.contains(QStringLiteral("names"))) {
        const QString path = file.toString();
        referenceName = QFileInfo(path).fileName();
        QString error;
        DocumentData data;
        QFile in(path);
        if (loadReference && loadReference(path, &data, &error)) {
            // Read-only, through the same binding, beside the open document.
            Document loaded;
            loaded.reset(std::move(data));
            reference = OrderLike::fromDatabase(*loaded.database());
        } else if (!error.isEmpty()) {
            return fail(failure, error);
        } else if (!in.open(QIODevice::ReadOnly)) {
            return fail(failure, QStringLiteral("cannot read %1").arg(path));
        } else if (OrderLike::isJsonPath(path)) {
            if (!OrderLike::fromJson(in.readAll(), &reference, &error))
                return fail(failure, QStringLiteral("%1: %2").arg(path, error));
        } else {
            reference = OrderLike::fromText(in.readAll());
        }
    } else {
        return fail(failure, QStringLiteral("needs 'file' (a path) or 'names' (an array of texts)"), true);
    }
    const EditOutcome outcome = document.edits().orderLike(reference, referenceName);
    return outcome ? true : fail(failure, outcome.refusal);
}

// One operation name for every kind: programmes go to the table's operation,
// satellites and TPs to the tree's.
Operation byKind(const Operation &programme, const Operation &treeNode)
{
    return [programme, treeNode](Document &document, const QJsonObject &op, Failure &failure) {
        const bool isProgramme = op.value(QStringLiteral("kind")).toString() == QLatin1String("programme");
        return (isProgramme ? programme : treeNode)(document, op, failure);
    };
}

const QHash<QString, Operation> &operations()
{
    static const QHash<QString, Operation> table{
        {QStringLiteral("edit"), editValues},
        {QStringLiteral("renameGroup"), renameGroup},
        {QStringLiteral("favourite"), favourite},
        {QStringLiteral("up"), moveBy(true)},
        {QStringLiteral("down"), moveBy(false)},
        {QStringLiteral("delete"), byKind(deleteRecords, deleteNodes)},
        {QStringLiteral("add"), byKind(addRecord, addNode)},
        {QStringLiteral("moveTo"), moveNodesTo},
        {QStringLiteral("exchange"), exchangeNodes},
        {QStringLiteral("pasteTransponders"), pasteTransponders},
        {QStringLiteral("move"), moveOrSwitch(true)},
        {QStringLiteral("switch"), moveOrSwitch(false)},
        {QStringLiteral("copyTo"), copyOrCutTo(false)},
        {QStringLiteral("cutTo"), copyOrCutTo(true)},
        {QStringLiteral("paste"), paste},
        {QStringLiteral("undo"), history(true)},
        {QStringLiteral("redo"), history(false)},
        {QStringLiteral("dedupe"), dedupe},
        {QStringLiteral("sort"), sort},
        {QStringLiteral("reorderLike"), Operation()}, // needs the loader: run by applyOperations
    };
    return table;
}

} // namespace

EditResult applyOperations(Document &document, const QJsonArray &ops, QString *message,
                           const ReferenceLoader &loadReference)
{
    for (int i = 0; i < ops.size(); ++i) {
        const QJsonObject op = ops.at(i).toObject();
        const QString name = op.value(QStringLiteral("op")).toString();
        const auto operation = operations().constFind(name);
        Failure failure;
        if (!ops.at(i).isObject() || operation == operations().constEnd()) {
            failure = Failure{QStringLiteral("unknown operation"), true};
        } else if (operation.value() ? operation.value()(document, op, failure)
                                     : reorderLike(document, op, failure, loadReference)) {
            continue;
        }
        *message = QStringLiteral("ops[%1] %2: %3").arg(i).arg(name.isEmpty() ? QStringLiteral("?") : name, failure.text);
        return failure.malformed ? EditResult::Malformed : EditResult::Refused;
    }
    return EditResult::Applied;
}

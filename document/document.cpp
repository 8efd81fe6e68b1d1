#include "document.h"

#include "documentedits.h"
#include "parserlibrary.h"
#include "serviceorder.h"

namespace {

const TemplateVector NoTemplate;
const TemplateMap NoFields;

} // namespace

Document::Document(QObject *parent)
    : QObject(parent), m_edits(std::make_unique<DocumentEdits>(this))
{
    qRegisterMetaType<NodeKind>();
    m_undoStack.setUndoLimit(100);
    connect(&m_undoStack, &QUndoStack::cleanChanged, this, [this] { emitModified(); });
}

Document::~Document()
{
    // Commands may hold detached nodes; they go before the database.
    m_undoStack.clear();
}

QString Document::parserPath() const
{
    return m_kind == OstrelFlashImage && !m_customer.isEmpty() ? m_customer + QLatin1Char(';') + m_path : m_path;
}

void Document::setFile(const QString &path, int kind, const QString &customer)
{
    m_path = path;
    m_kind = kind;
    m_customer = kind == OstrelFlashImage ? customer : QString();
    emit fileChanged();
}

LoadStatus Document::load(ParserLibrary &library, const QString &path, int kind, const QString &customer,
                          int *result)
{
    DocumentData loaded;
    const QString libraryPath = kind == OstrelFlashImage ? customer + QLatin1Char(';') + path : path;
    const LoadStatus status = loadDocument(library, kind, libraryPath, loaded, result);
    if (status != LoadStatus::Loaded)
        return status;
    setFile(path, kind, customer);
    reset(std::move(loaded));
    return status;
}

SaveOutcome Document::save(ParserLibrary *library, const QString &libraryName, const QString &path, int kind,
                           const QString &customer, int *result)
{
    const bool elsewhere = !path.isEmpty();
    const QString targetPath = elsewhere ? path : m_path;
    const int targetKind = elsewhere ? kind : m_kind;
    const QString targetCustomer = elsewhere ? customer : m_customer;
    const QString libraryPath = targetKind == OstrelFlashImage && !targetCustomer.isEmpty()
        ? targetCustomer + QLatin1Char(';') + targetPath
        : targetPath;
    const SaveOutcome outcome = saveDocument(library, libraryName, targetKind, libraryPath, m_data, result);
    if (outcome != SaveOutcome::Saved)
        return outcome;
    m_saveNote = ServiceOrder::keepsGrouping(targetKind) && m_data.database && ServiceOrder::crossesGrouping(*m_data.database)
        ? ServiceOrder::groupingNote()
        : QString();
    if (elsewhere)
        setFile(targetPath, targetKind, targetCustomer);
    markClean();
    return outcome;
}

void Document::reset(DocumentData data)
{
    emit aboutToReset();
    // The history refers to the old nodes, so it goes before them.
    m_undoStack.clear();
    m_data = std::move(data);
    m_edits->reset();
    emit documentReset();
    emitModified();
}

void Document::exchangeState(DocumentData &state)
{
    emit aboutToReset();
    std::swap(m_data.database, state.database);
    std::swap(m_data.favouriteNames, state.favouriteNames);
    std::swap(m_data.hotKeys, state.hotKeys);
    std::swap(m_data.favHotKeys, state.favHotKeys);
    emit documentReset();
}

void Document::clear()
{
    reset(DocumentData());
    setFile(QString(), 0);
}

const TemplateVector &Document::templateOf(NodeKind kind) const
{
    switch (kind) {
    case NodeKind::Satellite:
        return m_data.satTemplate;
    case NodeKind::Transponder:
        return m_data.tpTemplate;
    case NodeKind::Programme:
        return m_data.pgTemplate;
    }
    return NoTemplate;
}

const TemplateMap &Document::fieldsOf(NodeKind kind) const
{
    switch (kind) {
    case NodeKind::Satellite:
        return m_data.satFields;
    case NodeKind::Transponder:
        return m_data.tpFields;
    case NodeKind::Programme:
        return m_data.pgFields;
    }
    return NoFields;
}

DB_NS::Node *Document::findNode(NodeKind kind, quint32 id, std::optional<quint32> satId) const
{
    const ChannelDatabase *db = m_data.database.get();
    if (!db)
        return nullptr;
    switch (kind) {
    case NodeKind::Satellite:
        return db->findSat(id);
    case NodeKind::Transponder:
        if (const DB_NS::SatNode *sat = satId ? db->findSat(*satId) : nullptr)
            return sat->findTP(id);
        return nullptr;
    case NodeKind::Programme:
        return db->findPG(id);
    }
    return nullptr;
}

Document::Duplicate Document::findDuplicate(const DB_NS::PGNode *self, const QString &field,
                                            const QString &text) const
{
    Duplicate duplicate;
    if (!m_data.database || text == QLatin1String("0"))
        return duplicate;
    int position = 0;
    for (const DB_NS::PGNode *other : m_data.database->allPGs()) {
        ++position;
        // By identity, not id: a new programme still has an id that a
        // programme from the file may have as well.
        if (other == self)
            continue;
        const NodeAttribute *attribute = other->findAttribute(field);
        if (attribute && attribute->value == text) {
            duplicate.position = position;
            duplicate.name = other->value(QStringLiteral("NAME"));
            return duplicate;
        }
    }
    return duplicate;
}

QVector<quint32> Document::serviceOrder() const
{
    QVector<quint32> ids;
    if (!m_data.database)
        return ids;
    ids.reserve(int(m_data.database->allPGs().size()));
    for (const DB_NS::PGNode *programme : m_data.database->allPGs())
        ids.append(programme->id());
    return ids;
}

void Document::markClean()
{
    m_undoStack.setClean();
    emitModified();
}

void Document::emitModified()
{
    const bool modified = isModified();
    if (modified == m_lastModified)
        return;
    m_lastModified = modified;
    emit modifiedChanged(modified);
}

void Document::restoreProgrammeOrder(const ChannelDatabase::OrderSnapshot &order, const QVector<quint32> &moved)
{
    emit programmesAboutToMove(moved);
    m_data.database->restoreOrder(order);
    emit programmesMoved(moved);
}

void Document::restoreProgrammeSpans(const std::vector<std::vector<ChannelDatabase::OrderSpan>> &changes,
                                     const QVector<quint32> &moved)
{
    emit programmesAboutToMove(moved);
    m_data.database->restoreSpans(changes);
    emit programmesMoved(moved);
}

bool Document::setNodeValues(NodeKind kind, quint32 id, quint32 satId, const QVector<NodeAttribute> &values)
{
    DB_NS::Node *node = findNode(kind, id, satId);
    if (!node)
        return false;
    node->setAttributes(values);
    emit nodeChanged(kind, id, satId);
    return true;
}

void Document::setFavouriteMasks(const QVector<QPair<quint32, QString>> &masks)
{
    QVector<quint32> ids;
    ids.reserve(masks.size());
    for (const auto &mask : masks)
        ids.append(mask.first);
    emit favouritesAboutToChange(ids);
    for (const auto &mask : masks) {
        DB_NS::PGNode *programme = m_data.database ? m_data.database->findPG(mask.first) : nullptr;
        if (NodeAttribute *fav = programme ? programme->findAttribute(QStringLiteral("FAV")) : nullptr)
            fav->value = mask.second;
    }
    emit favouritesChanged(ids);
}

void Document::setHotKeys(const QVector<HotKey> &hotKeys, const QVector<FavHotKey> &favHotKeys)
{
    emit hotKeysAboutToChange();
    m_data.hotKeys = hotKeys;
    m_data.favHotKeys = favHotKeys;
    emit hotKeysChanged();
}

bool Document::setFavouriteName(int index, const QString &name)
{
    if (index < 0 || index >= m_data.favouriteNames.size())
        return false;
    m_data.favouriteNames[index] = name;
    emit favouriteGroupRenamed(index, name);
    return true;
}

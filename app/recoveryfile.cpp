#include "recoveryfile.h"

#include "jsonexport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>

#include <vector>

namespace {

const QString kRecovery = QStringLiteral("recovery");
const QString kServiceOrder = QStringLiteral("serviceOrder");
const QString kTpSizes = QStringLiteral("transponderSizes");
const QString kHotKeys = QStringLiteral("hotKeys");
const QString kFavHotKeys = QStringLiteral("favHotKeys");

QString isoTime(const QDateTime &time)
{
    return time.toUTC().toString(Qt::ISODateWithMs);
}

QJsonValue nameValue(const QString &name)
{
    return name.isNull() ? QJsonValue() : QJsonValue(name);
}

// The keys recoveryText() adds to the export, compact: they are short but for the order.
QByteArray extraMembers(const DocumentData &doc, const FileIdentity &file, const QDateTime &time)
{
    const QJsonObject identity{
        {QStringLiteral("path"), file.path},
        {QStringLiteral("kind"), file.kind},
        {QStringLiteral("customer"), file.customer},
        {QStringLiteral("size"), double(file.size)},
        {QStringLiteral("modified"), isoTime(file.modified)},
        {QStringLiteral("sha256"), QString::fromLatin1(file.sha256)},
        {QStringLiteral("time"), isoTime(time)},
    };
    QJsonArray hotKeys, favHotKeys;
    for (const HotKey &key : doc.hotKeys)
        hotKeys.append(QJsonObject{{QStringLiteral("name"), nameValue(key.name)},
                                   {QStringLiteral("satId"), double(key.satId)},
                                   {QStringLiteral("tpId"), double(key.tpId)},
                                   {QStringLiteral("pgId"), double(key.pgId)}});
    for (const FavHotKey &key : doc.favHotKeys)
        favHotKeys.append(QJsonObject{{QStringLiteral("name"), nameValue(key.name)},
                                      {QStringLiteral("favIndex"), key.favIndex}});

    QByteArray order, sizes;
    if (const ChannelDatabase *db = doc.database.get()) {
        order.reserve(int(db->allPGs().size()) * 11);
        for (const DB_NS::PGNode *pg : db->allPGs())
            order += QByteArray::number(pg->id()) + ',';
        for (const DB_NS::SatNode *sat : db->sats())
            for (const DB_NS::TPNode *tp : sat->tps())
                sizes += QByteArray::number(qulonglong(tp->pgs().size())) + ',';
    }
    order.chop(order.endsWith(',') ? 1 : 0);
    sizes.chop(sizes.endsWith(',') ? 1 : 0);
    const auto compact = [](const auto &json) { return QJsonDocument(json).toJson(QJsonDocument::Compact); };
    return ",\n    \"" + kRecovery.toLatin1() + "\": " + compact(identity) + ",\n    \"" + kServiceOrder.toLatin1()
        + "\": [" + order + "],\n    \"" + kTpSizes.toLatin1() + "\": [" + sizes + "],\n    \""
        + kHotKeys.toLatin1() + "\": " + compact(hotKeys) + ",\n    \"" + kFavHotKeys.toLatin1()
        + "\": " + compact(favHotKeys) + '\n';
}

// A reader that stops at the first fault and remembers where it was.
class Reader
{
public:
    explicit Reader(QString *error)
        : m_error(error) {}

    bool fail(const QString &where, const QString &what)
    {
        if (m_error)
            *m_error = where + QStringLiteral(": ") + what;
        return false;
    }

    bool id(const QJsonValue &v, const QString &where, quint32 *out)
    {
        const double d = v.toDouble(-1);
        if (!v.isDouble() || d < 0 || d > 4294967295.0 || d != double(qint64(d)))
            return fail(where, QStringLiteral("must be a number from 0 to 4294967295"));
        *out = quint32(qint64(d));
        return true;
    }

    bool array(const QJsonObject &o, const QString &key, QJsonArray *out)
    {
        const QJsonValue v = o.value(key);
        if (!v.isArray())
            return fail(key, QStringLiteral("must be an array"));
        *out = v.toArray();
        return true;
    }

    bool text(const QJsonValue &v, const QString &where, QString *out, bool nullable = false)
    {
        if (nullable && v.isNull()) {
            *out = QString();
            return true;
        }
        if (!v.isString())
            return fail(where, QStringLiteral("must be a string"));
        *out = v.toString();
        return true;
    }

    bool time(const QJsonValue &v, const QString &where, QDateTime *out)
    {
        QString s;
        if (!text(v, where, &s))
            return false;
        *out = QDateTime::fromString(s, Qt::ISODateWithMs);
        return out->isValid() || fail(where, QStringLiteral("must be a date and time"));
    }

    template<typename NodeT>
    bool nodes(const QJsonObject &root, const QString &key, std::vector<std::unique_ptr<NodeT>> &out)
    {
        QJsonArray list;
        if (!array(root, key, &list))
            return false;
        out.reserve(size_t(list.size()));
        for (int i = 0; i < list.size(); ++i) {
            const QString where = QStringLiteral("%1[%2]").arg(key).arg(i);
            const QJsonObject record = list.at(i).toObject();
            quint32 id = 0, parentId = 0;
            if (!list.at(i).isObject())
                return fail(where, QStringLiteral("must be an object"));
            if (!this->id(record.value(QStringLiteral("id")), where + QStringLiteral(".id"), &id)
                || !this->id(record.value(QStringLiteral("parentId")), where + QStringLiteral(".parentId"), &parentId))
                return false;
            const QJsonValue values = record.value(QStringLiteral("values"));
            if (!values.isArray())
                return fail(where + QStringLiteral(".values"), QStringLiteral("must be an array"));
            auto node = std::make_unique<NodeT>(id);
            node->setParentId(parentId);
            const QJsonArray pairs = values.toArray();
            node->reserveAttributes(pairs.size());
            for (int j = 0; j < pairs.size(); ++j) {
                const QJsonArray pair = pairs.at(j).toArray();
                if (pair.size() != 2 || !pair.at(0).isString() || !pair.at(1).isString())
                    return fail(where + QStringLiteral(".values[%1]").arg(j),
                                QStringLiteral("must be a [name, text] pair of strings"));
                node->addAttribute(pair.at(0).toString(), pair.at(1).toString());
            }
            out.push_back(std::move(node));
        }
        return true;
    }

    bool identity(const QJsonObject &root, RecoveredState &out)
    {
        const QJsonValue value = root.value(kRecovery);
        if (!value.isObject())
            return fail(kRecovery, QStringLiteral("must be an object"));
        const QJsonObject o = value.toObject();
        const QString at = kRecovery + QLatin1Char('.');
        FileIdentity &file = out.file;
        QString hash;
        if (!text(o.value(QStringLiteral("path")), at + QStringLiteral("path"), &file.path)
            || !text(o.value(QStringLiteral("customer")), at + QStringLiteral("customer"), &file.customer)
            || !text(o.value(QStringLiteral("sha256")), at + QStringLiteral("sha256"), &hash)
            || !time(o.value(QStringLiteral("modified")), at + QStringLiteral("modified"), &file.modified)
            || !time(o.value(QStringLiteral("time")), at + QStringLiteral("time"), &out.time))
            return false;
        if (!QFileInfo(file.path).isAbsolute())
            return fail(at + QStringLiteral("path"), QStringLiteral("must be an absolute path"));
        static const QRegularExpression hex(QStringLiteral("^[0-9a-f]{64}$"));
        if (!hex.match(hash).hasMatch())
            return fail(at + QStringLiteral("sha256"), QStringLiteral("must be 64 hexadecimal digits"));
        file.sha256 = hash.toLatin1();
        const int kind = o.value(QStringLiteral("kind")).toInt(0);
        if (kind < 1 || kind > 3)
            return fail(at + QStringLiteral("kind"), QStringLiteral("must be 1, 2 or 3"));
        file.kind = kind;
        const double size = o.value(QStringLiteral("size")).toDouble(-1);
        if (size < 0 || size > 9e15 || size != double(qint64(size)))
            return fail(at + QStringLiteral("size"), QStringLiteral("must be a byte count"));
        file.size = qint64(size);
        return true;
    }

    bool keys(const QJsonObject &root, DocumentData &doc)
    {
        QJsonArray favourites, hotKeys, favHotKeys;
        if (!array(root, QStringLiteral("favourites"), &favourites) || !array(root, kHotKeys, &hotKeys)
            || !array(root, kFavHotKeys, &favHotKeys))
            return false;
        for (int i = 0; i < favourites.size(); ++i) {
            QString name;
            if (!text(favourites.at(i), QStringLiteral("favourites[%1]").arg(i), &name))
                return false;
            doc.favouriteNames << name;
        }
        for (int i = 0; i < hotKeys.size(); ++i) {
            const QString where = QStringLiteral("hotKeys[%1].").arg(i);
            const QJsonObject o = hotKeys.at(i).toObject();
            HotKey key;
            if (!text(o.value(QStringLiteral("name")), where + QStringLiteral("name"), &key.name, true)
                || !id(o.value(QStringLiteral("satId")), where + QStringLiteral("satId"), &key.satId)
                || !id(o.value(QStringLiteral("tpId")), where + QStringLiteral("tpId"), &key.tpId)
                || !id(o.value(QStringLiteral("pgId")), where + QStringLiteral("pgId"), &key.pgId))
                return false;
            doc.hotKeys << key;
        }
        for (int i = 0; i < favHotKeys.size(); ++i) {
            const QString where = QStringLiteral("favHotKeys[%1].").arg(i);
            const QJsonObject o = favHotKeys.at(i).toObject();
            FavHotKey key;
            const double index = o.value(QStringLiteral("favIndex")).toDouble(-2);
            if (!text(o.value(QStringLiteral("name")), where + QStringLiteral("name"), &key.name, true))
                return false;
            if (index < -1 || index > 0x7fffffff || index != double(qint64(index)))
                return fail(where + QStringLiteral("favIndex"), QStringLiteral("must be -1 or a group's index"));
            key.favIndex = qint32(index);
            doc.favHotKeys << key;
        }
        return true;
    }

    // The lists, each TP under its satellite and each TP's programmes in
    // order (the counts tell them apart where two satellites use one TP id),
    // and then allPGs as the service order lists it.
    bool database(const QJsonObject &root, DocumentData &doc)
    {
        std::vector<std::unique_ptr<DB_NS::SatNode>> sats;
        std::vector<std::unique_ptr<DB_NS::TPNode>> tps;
        std::vector<std::unique_ptr<DB_NS::PGNode>> pgs;
        QJsonArray sizes, order;
        if (!nodes(root, QStringLiteral("satellites"), sats) || !nodes(root, QStringLiteral("transponders"), tps)
            || !nodes(root, QStringLiteral("programmes"), pgs) || !array(root, kTpSizes, &sizes)
            || !array(root, kServiceOrder, &order))
            return false;

        QSet<quint32> satIds;
        for (size_t i = 0; i < sats.size(); ++i) {
            if (satIds.contains(sats[i]->id()))
                return fail(QStringLiteral("satellites[%1]").arg(i), QStringLiteral("id %1 is used twice").arg(sats[i]->id()));
            satIds.insert(sats[i]->id());
        }
        QSet<QPair<quint32, quint32>> tpIds;
        std::vector<DB_NS::TPNode *> tpOrder;
        for (size_t i = 0; i < tps.size(); ++i) {
            const QString where = QStringLiteral("transponders[%1]").arg(i);
            const QPair<quint32, quint32> key(tps[i]->getParentId(), tps[i]->id());
            if (!satIds.contains(key.first))
                return fail(where, QStringLiteral("parentId %1 names no satellite").arg(key.first));
            if (tpIds.contains(key))
                return fail(where, QStringLiteral("id %1 is used twice in its satellite").arg(key.second));
            tpIds.insert(key);
            tpOrder.push_back(tps[i].get());
        }
        if (size_t(sizes.size()) != tps.size())
            return fail(kTpSizes, QStringLiteral("must hold one count per transponder"));
        QSet<quint32> pgIds;
        size_t next = 0;
        std::vector<std::pair<DB_NS::TPNode *, size_t>> owners; // each TP and where its programmes start
        for (int t = 0; t < sizes.size(); ++t) {
            const double count = sizes.at(t).toDouble(-1);
            if (count < 0 || count > double(pgs.size() - next) || count != double(qint64(count)))
                return fail(kTpSizes + QStringLiteral("[%1]").arg(t), QStringLiteral("does not fit the programmes"));
            for (size_t p = next; p < next + size_t(count); ++p) {
                const QString where = QStringLiteral("programmes[%1]").arg(p);
                if (pgs[p]->getParentId() != tpOrder[size_t(t)]->id())
                    return fail(where, QStringLiteral("parentId %1 is not its transponder's").arg(pgs[p]->getParentId()));
                if (pgIds.contains(pgs[p]->id()))
                    return fail(where, QStringLiteral("id %1 is used twice").arg(pgs[p]->id()));
                pgIds.insert(pgs[p]->id());
            }
            owners.emplace_back(tpOrder[size_t(t)], next);
            next += size_t(count);
        }
        if (next != pgs.size())
            return fail(kTpSizes, QStringLiteral("counts %1 of %2 programmes").arg(next).arg(pgs.size()));

        // Everything is checked: nothing below is refused.
        doc.database = ChannelDatabase::build(std::move(sats), std::move(tps), {});
        for (size_t t = 0; t < owners.size(); ++t) {
            const size_t end = t + 1 < owners.size() ? owners[t + 1].second : pgs.size();
            for (size_t p = owners[t].second; p < end; ++p) {
                if (owners[t].first->addPG(pgs[p].get()))
                    static_cast<void>(pgs[p].release());
            }
        }
        return serviceOrder(order, *doc.database);
    }

    bool serviceOrder(const QJsonArray &order, ChannelDatabase &db)
    {
        std::vector<DB_NS::PGNode *> programmes;
        programmes.reserve(size_t(order.size()));
        QSet<quint32> seen;
        for (int i = 0; i < order.size(); ++i) {
            const QString where = kServiceOrder + QStringLiteral("[%1]").arg(i);
            quint32 pgId = 0;
            if (!id(order.at(i), where, &pgId))
                return false;
            DB_NS::PGNode *pg = db.findPG(pgId);
            if (!pg || seen.contains(pgId))
                return fail(where, QStringLiteral("%1 is no programme, or one listed twice").arg(pgId));
            seen.insert(pgId);
            programmes.push_back(pg);
        }
        if (!db.setAllPGsOrder(programmes))
            return fail(kServiceOrder, QStringLiteral("must list every programme once"));
        // The satellites' lists follow the service order again, as they did
        // before the state was written, when the TPs' lists do.
        db.orderSatelliteLists();
        return true;
    }

private:
    QString *m_error;
};

} // namespace

FileIdentity FileIdentity::of(const QString &path, int kind, const QString &customer)
{
    FileIdentity identity;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return identity;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return identity;
    const QFileInfo info(file);
    identity.path = info.absoluteFilePath();
    identity.kind = kind;
    identity.customer = customer;
    identity.size = info.size();
    identity.modified = info.lastModified();
    identity.sha256 = hash.result().toHex();
    return identity;
}

bool FileIdentity::matchesDisk() const
{
    const QFileInfo info(path);
    // A size that differs tells without reading the file.
    return info.isFile() && info.size() == size && of(path, kind, customer).sha256 == sha256;
}

QByteArray recoveryText(const DocumentData &doc, const FileIdentity &file, const QDateTime &time)
{
    QByteArray text = documentJsonText(doc, file.kind);
    // The export ends in "\n}\n": the extra members go in front of the brace.
    const int brace = text.lastIndexOf('}');
    if (brace < 1)
        return QByteArray();
    text.truncate(brace - 1);
    text += extraMembers(doc, file, time);
    text += "}\n";
    return text;
}

bool readRecoveryText(const QByteArray &text, RecoveredState &out, QString *error)
{
    QJsonParseError parseError{};
    const QJsonDocument json = QJsonDocument::fromJson(text, &parseError);
    Reader reader(error);
    if (parseError.error != QJsonParseError::NoError)
        return reader.fail(QStringLiteral("offset %1").arg(parseError.offset), parseError.errorString());
    if (!json.isObject())
        return reader.fail(QStringLiteral("offset 0"), QStringLiteral("not a JSON object"));
    const QJsonObject root = json.object();
    RecoveredState read;
    if (!reader.identity(root, read) || !reader.keys(root, read.state) || !reader.database(root, read.state))
        return false;
    out = std::move(read);
    return true;
}

namespace Recovery {

QString folder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(QStringLiteral("recovery"));
}

QString filePathFor(const QString &folder, const QString &documentPath)
{
    // Named after the file, for a person looking into the folder, and told
    // apart from files of that name elsewhere by a hash of the whole path.
    const QString path = QFileInfo(documentPath).absoluteFilePath();
    const QByteArray hash = QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha256).toHex().left(12);
    return QDir(folder).filePath(QFileInfo(path).fileName() + QLatin1Char('-') + QString::fromLatin1(hash)
                                 + QStringLiteral(".json"));
}

QString exportPathFor(const QString &documentPath, const QDateTime &time)
{
    // Qt 5 formats a date with the system's locale, whose digits need not be ASCII.
    return documentPath + QLocale::c().toString(time.toLocalTime(), QStringLiteral("'.recovered-'yyyyMMdd-HHmmss'.json'"));
}

QString lockPathFor(const QString &recoveryPath)
{
    return recoveryPath + QStringLiteral(".lock");
}

QString setAside(const QString &recoveryPath)
{
    const QString aside = recoveryPath + QStringLiteral(".unreadable");
    QFile::remove(aside);
    return QFile::rename(recoveryPath, aside) ? aside : QString();
}

} // namespace Recovery

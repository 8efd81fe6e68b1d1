#include "changefavourites.h"
#include "changehotkeys.h"
#include "documentedits.h"

namespace {

const QString favField = QStringLiteral("FAV");

bool singleBit(quint32 groupId)
{
    return groupId != 0 && (groupId & (groupId - 1)) == 0;
}

} // namespace

EditOutcome DocumentEdits::editGroup(quint32 groupId, const QVector<Membership> &memberships)
{
    const ChannelDatabase *database = m_document->database();
    if (!database || !singleBit(groupId))
        return EditOutcome::refusedWith();
    QVector<ChangeFavourites::Change> changes;
    QSet<quint32> seen;
    for (const Membership &membership : memberships) {
        const DB_NS::PGNode *programme = database->findPG(membership.first);
        const NodeAttribute *fav = programme ? programme->findAttribute(favField) : nullptr;
        if (!fav || seen.contains(membership.first))
            continue;
        seen.insert(membership.first);
        const quint32 mask = fav->value.trimmed().toUInt();
        const quint32 next = membership.second ? mask | groupId : mask & ~groupId;
        const QString text = QString::number(next);
        if (text != fav->value)
            changes.append({membership.first, fav->value, text});
    }
    if (changes.isEmpty())
        return EditOutcome();
    m_document->undoStack()->push(new ChangeFavourites(m_document, tr("Edit Group"), changes));
    return EditOutcome::pushedStep();
}

EditOutcome DocumentEdits::removeFromGroup(quint32 groupId, quint32 programmeId)
{
    const ChannelDatabase *database = m_document->database();
    const DB_NS::PGNode *programme = database ? database->findPG(programmeId) : nullptr;
    const NodeAttribute *fav = programme ? programme->findAttribute(favField) : nullptr;
    if (!fav || !singleBit(groupId))
        return EditOutcome::refusedWith();
    const QString text = QString::number(fav->value.trimmed().toUInt() & ~groupId);
    if (text == fav->value)
        return EditOutcome();
    m_document->undoStack()->push(
        new ChangeFavourites(m_document, tr("Remove channel"), {{programmeId, fav->value, text}}));
    return EditOutcome::pushedStep();
}

EditOutcome DocumentEdits::assignHotKey(int key, quint32 programmeId)
{
    QVector<HotKey> keys = m_document->hotKeys();
    if (key < 0 || key >= keys.size())
        return EditOutcome::refusedWith();
    HotKey &chosen = keys[key];
    if (programmeId != DB_NS::NoId) {
        const DB_NS::PGNode *programme = m_document->database() ? m_document->database()->findPG(programmeId) : nullptr;
        if (!programme || !programme->parent() || !programme->parent()->parent())
            return EditOutcome::refusedWith();
        chosen.pgId = programme->id();
        chosen.tpId = programme->parent()->id();
        chosen.satId = programme->parent()->parent()->id();
    }
    // One programme, one key: every other key on it lets go, the last one too.
    const HotKey target = chosen;
    for (int i = 0; i < keys.size(); ++i) {
        HotKey &other = keys[i];
        if (i != key && other.satId == target.satId && other.tpId == target.tpId && other.pgId == target.pgId
            && other.pgId != DB_NS::NoId) {
            other.satId = other.tpId = other.pgId = DB_NS::NoId;
        }
    }
    const QVector<HotKey> &now = m_document->hotKeys();
    bool differs = false;
    for (int i = 0; i < keys.size() && !differs; ++i)
        differs = keys.at(i).satId != now.at(i).satId || keys.at(i).tpId != now.at(i).tpId
            || keys.at(i).pgId != now.at(i).pgId;
    if (!differs)
        return EditOutcome();
    m_document->undoStack()->push(
        new ChangeHotKeys(m_document, tr("Edit HotKey"), keys, m_document->favHotKeys()));
    return EditOutcome::pushedStep();
}

EditOutcome DocumentEdits::unassignHotKey(int key)
{
    QVector<HotKey> keys = m_document->hotKeys();
    if (key < 0 || key >= keys.size())
        return EditOutcome::refusedWith();
    if (keys.at(key).pgId == DB_NS::NoId && keys.at(key).tpId == DB_NS::NoId && keys.at(key).satId == DB_NS::NoId)
        return EditOutcome();
    keys[key].satId = keys[key].tpId = keys[key].pgId = DB_NS::NoId;
    m_document->undoStack()->push(
        new ChangeHotKeys(m_document, tr("Remove channel"), keys, m_document->favHotKeys()));
    return EditOutcome::pushedStep();
}

EditOutcome DocumentEdits::assignFavHotKey(int key, int favIndex)
{
    QVector<FavHotKey> keys = m_document->favHotKeys();
    if (key < 0 || key >= keys.size() || favIndex < -1 || favIndex >= m_document->favouriteNames().size())
        return EditOutcome::refusedWith();
    if (keys.at(key).favIndex == favIndex)
        return EditOutcome();
    keys[key].favIndex = favIndex;
    m_document->undoStack()->push(new ChangeHotKeys(
        m_document, favIndex == -1 ? tr("Remove channel") : tr("Edit Group"),
        m_document->hotKeys(), keys));
    return EditOutcome::pushedStep();
}

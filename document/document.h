#pragma once

#include "documentdata.h"
#include "documentio.h"

#include <QObject>
#include <QPair>
#include <QString>
#include <QUndoStack>

#include <memory>
#include <optional>
#include <vector>

class DocumentEdits;
class ParserLibrary;
struct DetachedNodes;

/** Which list a record belongs to. */
enum class NodeKind { Satellite,
                      Transponder,
                      Programme };

/**
 * One opened file: its data, where it came from, and the undo history of
 * every edit made to it. It is the only thing that changes the data; it
 * announces each change, and the tree and the table refresh from that.
 *
 * The methods that change data are meant for the undo commands, which the
 * facade edits() pushes; everything else only reads.
 */
class Document : public QObject
{
    Q_OBJECT

public:
    explicit Document(QObject *parent = nullptr);
    ~Document() override;

    // --- the file ---------------------------------------------------------
    QString path() const { return m_path; }
    int kind() const { return m_kind; }
    /** The flash-image customer chosen at open ("defaultdb", ...); empty for other kinds. */
    QString customer() const { return m_customer; }
    /** The path as the parser library takes it: "customer;path" for flash images. */
    QString parserPath() const;
    void setFile(const QString &path, int kind, const QString &customer = QString());

    /** Loads through a library already bound for the file; on success replaces everything. */
    LoadStatus load(ParserLibrary &library, const QString &path, int kind, const QString &customer,
                    int *result = nullptr);
    /**
     * Saves to path as kind (the document's own file when path is empty).
     * On success the document becomes clean and, when it went elsewhere,
     * that file becomes the document's file.
     */
    SaveOutcome save(ParserLibrary *library, const QString &libraryName, const QString &path = QString(),
                     int kind = -1, const QString &customer = QString(), int *result = nullptr);
    /**
     * What the last successful save could not keep, for the save message's
     * informative text; empty when it kept everything.
     */
    QString saveNote() const { return m_saveNote; }
    /** Takes data as the document's content (a load, or a test's fixture). */
    void reset(DocumentData data);
    /** Forgets the data, the file and the history. */
    void clear();

    // --- the data ---------------------------------------------------------
    bool hasDatabase() const { return m_data.database != nullptr; }
    /** Read-only: every change goes through edits() and its undo commands. */
    const ChannelDatabase *database() const { return m_data.database.get(); }
    const DocumentData &data() const { return m_data; }
    const TemplateVector &templateOf(NodeKind kind) const;
    const TemplateMap &fieldsOf(NodeKind kind) const;
    const QStringList &favouriteNames() const { return m_data.favouriteNames; }
    const QVector<HotKey> &hotKeys() const { return m_data.hotKeys; }
    const QVector<FavHotKey> &favHotKeys() const { return m_data.favHotKeys; }
    /** The satellite limit; 4294967295 means none. */
    quint32 satMaxNum() const { return quint32(m_data.satMaxNum); }

    /**
     * The satellite, the programme, or the TP of satellite satId; a TP needs
     * its satellite (TP ids are unique per satellite only), and every id is a
     * record's own, 4294967295 included.
     */
    DB_NS::Node *findNode(NodeKind kind, quint32 id, std::optional<quint32> satId = std::nullopt) const;

    /**
     * The first other programme whose field holds text (a "0" never
     * clashes): its 1-based position in allPGs and its NAME; position 0 when
     * none. self is the programme being edited, compared by identity.
     */
    struct Duplicate
    {
        int position = 0;
        QString name;
    };
    Duplicate findDuplicate(const DB_NS::PGNode *self, const QString &field, const QString &text) const;

    /**
     * Programme ids in the service order (allPGs), whatever view is shown:
     * what a save of a dump numbers "default_order" by once it differs from
     * the stored values.
     */
    QVector<quint32> serviceOrder() const;

    // --- history and the change flag --------------------------------------
    QUndoStack *undoStack() { return &m_undoStack; }
    DocumentEdits &edits() { return *m_edits; }
    /**
     * Unsaved edits: the undo stack is away from the state of the last load
     * or save. Nothing else raises it, so Undo can always clear it.
     */
    bool isModified() const { return !m_undoStack.isClean(); }
    /** Forgets unsaved changes without saving (a declined close). */
    void markClean();

    // --- changes, for the undo commands -----------------------------------
    /**
     * Runs reorder and then relinks the lists (ChannelDatabase::reorderProgrammes());
     * the signals name the programmes that moved. changes, when given, gets the runs that changed.
     */
    template<typename Reorder>
    void reorderProgrammes(const QVector<quint32> &moved, Reorder &&reorder,
                           std::vector<ChannelDatabase::OrderSpan> *changes = nullptr)
    {
        emit programmesAboutToMove(moved);
        m_data.database->reorderProgrammes(std::forward<Reorder>(reorder), changes);
        emit programmesMoved(moved);
    }
    void restoreProgrammeOrder(const ChannelDatabase::OrderSnapshot &order, const QVector<quint32> &moved);
    /** Undoes reorders, last first, from the runs each changed (ChannelDatabase::changedSpans()). */
    void restoreProgrammeSpans(const std::vector<std::vector<ChannelDatabase::OrderSpan>> &changes,
                               const QVector<quint32> &moved);
    /** Replaces a node's attributes. */
    bool setNodeValues(NodeKind kind, quint32 id, quint32 satId, const QVector<NodeAttribute> &values);
    bool setFavouriteName(int index, const QString &name);
    /** Writes each programme's "FAV" text (programmes without "FAV" or gone are passed over). */
    void setFavouriteMasks(const QVector<QPair<quint32, QString>> &masks);
    /** Replaces the hot-key and favourite hot-key assignments. */
    void setHotKeys(const QVector<HotKey> &hotKeys, const QVector<FavHotKey> &favHotKeys);
    /**
     * Exchanges the database, the favourite names and the hot keys with
     * state's; the templates stay. The history is kept: a whole-state step.
     */
    void exchangeState(DocumentData &state);

    // --- tree structure, for the undo commands (treechanges.cpp) ----------
    /** The ids of every satellite, or of every TP of satellite satId, in list order. */
    QVector<quint32> nodeOrder(NodeKind kind, quint32 satId) const;
    /** Puts that list in this order; false (nothing changed) unless order holds exactly its ids. */
    bool setNodeOrder(NodeKind kind, quint32 satId, const QVector<quint32> &order);
    /**
     * Takes satellites, or TPs of satellite satId, out of the database with
     * their programmes, into out; hot keys that pointed into them are
     * unassigned. Ids that are not there are passed over. False when none was.
     */
    bool takeNodes(NodeKind kind, quint32 satId, const QVector<quint32> &ids, DetachedNodes &out);
    /** Puts nodes back where takeNodes() found them (or appends new ones); nodes is left empty. */
    bool restoreNodes(DetachedNodes &nodes);
    /** A programme out of the lists, held by an undo step, and where it goes. */
    struct DetachedProgramme
    {
        quint32 satId = DB_NS::NoId;
        quint32 tpId = DB_NS::NoId;
        quint32 anchorId = DB_NS::NoId; // insert before this programme of the TP; NoId appends
        std::unique_ptr<DB_NS::PGNode> node;
    };
    /** Unlinks the programmes from their TPs and every list and hands them over; absent ids are passed over. */
    std::vector<DetachedProgramme> takeProgrammes(const QVector<quint32> &ids);
    /** Lists each programme in its TP before its anchor (moved out of the entries); returns the ids listed. */
    QVector<quint32> insertProgrammes(std::vector<DetachedProgramme> &programmes);
    /** Lists taken programmes again and puts every list back in the order it had before they were taken. */
    void restoreProgrammes(std::vector<DetachedProgramme> &programmes, const ChannelDatabase::OrderSnapshot &order);
    /**
     * Lists the programme in TP tpId of satellite satId instead of its own:
     * with order, every list as the snapshot has it; otherwise in front of
     * anchorId in allPGs (NoId: last), every other list following allPGs.
     */
    bool transferProgramme(quint32 id, quint32 satId, quint32 tpId, quint32 anchorId,
                           const ChannelDatabase::OrderSnapshot *order);

signals:
    void aboutToReset();
    /** Everything changed: a load, a close, or a fixture handed over. */
    void documentReset();
    void programmesAboutToMove(const QVector<quint32> &ids);
    void programmesMoved(const QVector<quint32> &ids);
    void programmesAboutToBeRemoved(const QVector<quint32> &ids);
    void programmesRemoved(const QVector<quint32> &ids);
    void programmesAboutToBeInserted(const QVector<quint32> &ids);
    void programmesInserted(const QVector<quint32> &ids);
    void nodeChanged(NodeKind kind, quint32 id, quint32 satId);
    /** The satellites (kind Satellite) or the TPs of satId are added, removed or reordered. */
    void nodesAboutToChange(NodeKind kind, quint32 satId);
    void nodesChanged(NodeKind kind, quint32 satId);
    void favouriteGroupRenamed(int index, const QString &name);
    /** The group memberships of these programmes changed. */
    void favouritesAboutToChange(const QVector<quint32> &ids);
    void favouritesChanged(const QVector<quint32> &ids);
    void hotKeysAboutToChange();
    void hotKeysChanged();
    void modifiedChanged(bool modified);
    void fileChanged();

private:
    // The facade tries a reorder out on the live lists before it refuses it.
    friend class DocumentEdits;
    ChannelDatabase *mutableDatabase() { return m_data.database.get(); }

    void emitModified();

    DocumentData m_data;
    QString m_path;
    int m_kind = 0;
    QString m_customer;
    QUndoStack m_undoStack;
    QString m_saveNote;
    bool m_lastModified = false;
    std::unique_ptr<DocumentEdits> m_edits;
};

Q_DECLARE_METATYPE(NodeKind)

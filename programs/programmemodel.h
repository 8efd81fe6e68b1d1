#pragma once

#include "document.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

namespace DB_NS {
class PGNode;
}

/**
 * The rows of the programme table: one per programme of the chosen view
 * (or one per hot key in the two hot-key views), read from the document and
 * never copied. The TV/RADIO choice and the name filter narrow the rows.
 *
 * The model follows the document's signals: a removal, an insertion, a move
 * or a changed value becomes the matching row notification for exactly the
 * rows it concerns. A new view, a new choice or filter, a document reset,
 * and rows to insert or remove in too many separate places reset the model.
 * Column 0 answers Qt::UserRole with the programme's id, or in the hot-key
 * views with the key's index.
 *
 * A view sort orders the model's own rows by one column and never the
 * document; a new view starts in the view's order. Rows drag as their
 * programmes' ids and drop through the drop handler, only where a move
 * shows as it is made: All Services, unfiltered and unsorted.
 */
class ProgrammeModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // The same values as the table's ViewMode.
    enum View {
        None = 0,
        AllServices = 1,
        NoSatellite = 2,
        Satellite = 3,
        Transponder = 4,
        AllFavourites = 5,
        FavouriteGroup = 6,
        HotKeys = 7,
        FavHotKeys = 8
    };

    /** The TV/RADIO choice: TV only, radio only (V_PID "0"), or both. */
    enum Service { Tv = 0,
                   Radio = 1,
                   TvAndRadio = 2 };

    explicit ProgrammeModel(QObject *parent = nullptr);

    /** Follows the document (not owned, may be null) from now on; shows no view. */
    void setDocument(const Document *document);
    const Document *document() const { return m_document; }

    /** Shows a view; the ids that do not concern it are NoId. */
    void showView(View view, quint32 satId = DB_NS::NoId, quint32 tpId = DB_NS::NoId, quint32 favId = DB_NS::NoId);
    /** Rebuilds the shown view from the document. */
    void refresh();
    View view() const { return m_view; }
    quint32 satId() const { return m_satId; }
    quint32 tpId() const { return m_tpId; }
    quint32 favId() const { return m_favId; }

    void setService(int service);
    int service() const { return m_service; }
    void setNameFilter(const QString &prefix);
    QString nameFilter() const { return m_nameFilter; }

    bool isProgrammeView() const { return m_view == AllServices || m_view == Satellite || m_view == Transponder; }
    bool isHotKeyView() const { return m_view == HotKeys || m_view == FavHotKeys; }

    /** The programme a row shows, or null (hot-key rows have none of their own). */
    const DB_NS::PGNode *programmeAt(int row) const;
    /** The programme id of each row, top to bottom (NoId for a hot-key row). */
    QVector<quint32> rowIds() const;
    /** The row that shows the programme, or -1. */
    int rowOf(quint32 programmeId) const;
    /** Programmes of the view before the filter and the TV/RADIO choice. */
    QVector<const DB_NS::PGNode *> viewProgrammes() const;
    /** Programmes of the view the TV/RADIO choice leaves out, whatever the filter says. */
    int otherServiceCount() const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // The view sort (programmemodelorder.cpp).
    /** Sorts the rows by the column for viewing; a column of -1 gives the view's own order back. */
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }
    bool isSorted() const { return m_sortColumn >= 0; }
    /** Rows show in the order a move makes: no filter and no view sort. */
    bool showsMoves() const { return m_nameFilter.isEmpty() && !isSorted(); }

    // Dragging rows (programmemodelorder.cpp).
    /** Asks the document to put the programmes in front of beforeId (NoId: the end); true when it took them. */
    using DropHandler = std::function<bool(const QVector<quint32> &ids, quint32 beforeId)>;
    void setDropHandler(DropHandler handler) { m_dropHandler = std::move(handler); }
    /** Rows may be dropped: All Services, showing moves, with a handler. */
    bool acceptsDrops() const;
    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    bool canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                         const QModelIndex &parent) const override;
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                      const QModelIndex &parent) override;

private:
    /** ids ordered by the view sort, equal keys in the order given. */
    void sortIds(QVector<quint32> &ids) const;
    // Which rows a view shows (programmemodel.cpp).
    bool passes(const DB_NS::PGNode &programme) const;
    QVector<quint32> shownIds() const;
    QStringList openFieldNames() const;
    void rebuild();
    /** The text of a programme's cell, or null when it has no attribute there. */
    const QString *programmeCell(const DB_NS::PGNode &programme, int column) const;
    const DB_NS::PGNode *hotKeyProgramme(int row) const;

    // Following the document (programmemodelsync.cpp).
    void connectDocument();
    void documentAboutToReset();
    void documentWasReset();
    /** No view, no filter, no rows; the caller resets the model around it. */
    void forgetView();
    void dropRows(const QVector<quint32> &ids);
    // A move in a view that follows the service order moves only the rows it names.
    bool followsServiceOrder() const;
    void followMove(const QVector<quint32> &ids);
    bool placeMovedRows(const QVector<quint32> &ids);
    /**
     * The shown programmes in the service order as it is now, or as order
     * gives it when not empty; the same ones as shown when a move kept them.
     */
    QVector<quint32> rowsInServiceOrder(const QVector<quint32> &order = {}) const;
    /** Brings the rows to the view's programmes as they are now, in the fewest steps. */
    void syncRows(const QVector<quint32> &hint = {});
    bool moveRowsInto(const QVector<quint32> &target, const QVector<quint32> &hint);
    void relayout(const QVector<quint32> &target);
    void resetRows(const QVector<quint32> &rows);
    void shiftRows(int from, int count, int to);
    void changeProgrammes(const QVector<quint32> &ids);
    void changeAllRows();
    void forgetRowIndex() { m_rowIndexValid = false; }

    const Document *m_document = nullptr;
    View m_view = None;
    quint32 m_satId = DB_NS::NoId;
    quint32 m_tpId = DB_NS::NoId;
    quint32 m_favId = DB_NS::NoId;
    int m_service = Tv;
    QString m_nameFilter;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    DropHandler m_dropHandler;

    QStringList m_headers;
    // Programme views: the shown programme ids, top to bottom.
    QVector<quint32> m_rows;
    // Hot-key views: as many rows as keys.
    int m_keyRows = 0;

    // Which attribute each column shows, for the layout last asked about;
    // programmes of one database nearly always share one layout.
    mutable QVector<QString> m_layoutNames;
    // Where the filter last found its attributes (see valueOf()).
    mutable int m_vpidAt = -1;
    mutable int m_nameAt = -1;
    mutable QVector<int> m_attributeOfColumn;

    // Row of each shown id, rebuilt on demand after a change that shifts rows.
    mutable QHash<quint32, int> m_rowIndex;
    mutable bool m_rowIndexValid = false;
};

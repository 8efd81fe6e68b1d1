#pragma once

#include "document.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <QVector>
#include <QWidget>

class ChannelDatabase;
class QAction;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QTableWidgetItem;

namespace DB_NS {
class PGNode;
}

/**
 * The programme table: lists whatever the tree selected (all programmes, a
 * satellite, a transponder, a favourite group, the hot keys or the favourite
 * hot keys) under a bar with the TV/RADIO choice, a prefix filter and an
 * incremental find.
 *
 * It owns no model data: it shows the document handed over by setDocument(),
 * asks the document's edits for every change and follows the document's
 * signals. In the programme views the column-0 item of a row carries its
 * programme's id under Qt::UserRole; in the hot-key views it carries the
 * key's index in the document's list.
 */
class QDBProgramWidget : public QWidget
{
    Q_OBJECT

public:
    enum ViewMode {
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
    Q_ENUM(ViewMode)

    explicit QDBProgramWidget(QWidget *parent = nullptr);
    ~QDBProgramWidget() override;

    /**
     * Shows the document (not owned) and follows its changes from now on;
     * the table starts empty. The clipboard is kept.
     */
    void setDocument(Document *document);
    Document *document() const { return m_document; }

    /**
     * The programme ids in the order a save numbers a dump's "default_order"
     * by: the document's service order, whatever view is shown.
     */
    QVector<quint32> storeRowOrder() const;

    /** Forgets the database and empties the table and the clipboard. */
    void clearAll();

    ViewMode viewMode() const { return m_viewMode; }
    /** Programmes the view holds before the filter and the TV/RADIO choice. */
    int viewProgrammeCount() const { return viewCandidates().size(); }
    /** Programmes of the view the TV/RADIO choice leaves out, whatever the filter says. */
    int otherServiceCount() const;
    /** The RADIO choice is shown, so the programmes left out are TV ones. */
    bool showsRadio() const { return m_serviceFilter == 1; }
    quint32 currentSatId() const { return m_currentSatId; }
    quint32 currentTpId() const { return m_currentTpId; }
    quint32 currentFavId() const { return m_currentFavId; }

    QTableWidget *table() const { return m_table; }

    /** The programme of a row's column-0 item, or null. */
    DB_NS::PGNode *programmeAt(int row) const;
    /** The row that shows the programme, or -1; O(1). */
    int rowOf(quint32 programmeId) const;
    /** The programme ids of the rows, top to bottom (NoId for a row without one). */
    QVector<quint32> rowIds() const;
    /** The rows of the selected items, ascending and each once. */
    QVector<int> selectedRows() const;

public slots:
    void allSrvSelected();
    /** The satellite's view; any id is a satellite's, 4294967295 included. */
    void satSelected(unsigned int id);
    /** "Satellite Information": the columns, no rows. */
    void allSatSelected();
    void tpSelected(unsigned int satId, unsigned int tpId);
    void favSelected(unsigned int id);
    void hotkeySelected();
    void favhotkeySelected();

signals:
    void favGroupRenamed(unsigned int id, QString name);
    void signalbIsChange(bool bIsChange);
    void pgSelected(unsigned int sat, unsigned int tp, unsigned int pg);
    /** A passing word for the status bar, such as the find's "Not found". */
    void statusMessage(const QString &message);

private slots:
    // Programme, favourite-group and hot-key operations; the menu and the
    // keys reach them.
    void actEditChannelTriggered();
    void actCopyChannelTriggered();
    void actPasteChannelTriggered();
    void actEditHotKeyTriggered();
    void actMoveUpChannelTriggered();
    void actMoveDownChannelTriggered();
    void actMoveChannelTriggered();
    void actSwitchChannelTriggered();
    void actInsertChannelTriggered();
    void actDeleteChannelTriggered();
    void actCopyChannelToTriggered();
    void actCutChannelToTriggered();
    void actEditGroupTriggered();
    void actRemoveItemTriggered();
    void actRenameGroupTriggered();

    void tableCellDoubleClicked(int row, int column);
    void radioButtonClicked(int id);
    void itemSelectionChanged();
    void slotFilterChanged(const QString &text);
    void slotFindCurrentRow(const QString &text);
    void slotFindUpSearchRes();
    void slotFindNextSearchRes();
    void documentWasReset();
    void programmesWereMoved(const QVector<quint32> &ids);
    void programmesWereRemoved(const QVector<quint32> &ids);
    void programmesWereInserted(const QVector<quint32> &ids);
    void nodeWasChanged(NodeKind kind, quint32 id);
    void groupWasRenamed(int index, const QString &name);
    void favouritesWereChanged(const QVector<quint32> &ids);
    void hotKeysWereChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    static bool isProgrammeView(ViewMode mode);

    // Construction, rows and selection (qdbprogramwidget.cpp).
    void selectRows(const QVector<int> &rows);
    // The views (programmeviews.cpp).
    QVector<DB_NS::PGNode *> viewCandidates() const;
    void resetTable();
    void refreshView();
    /** The programme attributes the table shows, in template order. */
    QStringList openFieldNames() const;
    void buildProgrammeColumns();
    void buildHotKeyView();
    void buildFavHotKeyView();
    void resizeColumns();
    bool passesServiceAndFilter(const DB_NS::PGNode *programme) const;
    void fillRows(const QVector<DB_NS::PGNode *> &candidates);
    /** Writes the programme's open attributes into an existing row. */
    void fillProgrammeRow(int row, DB_NS::PGNode *programme);
    void fillProgrammeCells(int row, int firstColumn, DB_NS::PGNode *programme, bool withReference);
    // Filter and find (programmefind.cpp).
    void selectFindTarget(int row, bool focusTable = true);
    void stepFind(bool up);
    /** Tints the find box and clears the highlight when nothing matched. */
    void showFindAnswer(bool found);
    // Key routing (programmekeys.cpp).
    bool routeTableKey(QKeyEvent *event);
    // Favourite groups and hot keys (favouriteoperations.cpp).
    /** The shown favourite group has one bit and a name, so it can be edited and renamed. */
    bool canEditGroup() const;
    // Corner button (programmecorner.cpp).
    void setUpCornerButton();
    void paintCornerButton(QWidget *button);
    // Operations (programmeoperations.cpp).
    quint32 copyOrCutTo(bool cut);
    // Move Up (up) or Move Down of the selected rows, as the view orders them.
    void moveBy(bool up);

    Document *m_document = nullptr;
    // Views into the document's data, refreshed when it is reset.
    const ChannelDatabase *m_database = nullptr;
    const TemplateMap *m_pgFields = nullptr;
    const TemplateVector *m_pgTemplate = nullptr;
    const QStringList *m_favouriteNames = nullptr;
    const QVector<HotKey> *m_hotKeys = nullptr;
    const QVector<FavHotKey> *m_favHotKeys = nullptr;

    ViewMode m_viewMode = None;
    int m_serviceFilter = 0;
    quint32 m_currentSatId = 0xFFFFFFFFu;
    quint32 m_currentTpId = 0xFFFFFFFFu;
    quint32 m_currentFavId = 0xFFFFFFFFu;
    QList<int> m_findHits;

    QTableWidget *m_table = nullptr;
    QAction *m_actEditChannel = nullptr;
    QAction *m_actCopyChannel = nullptr;
    QAction *m_actPasteChannel = nullptr;
    QAction *m_actEditHotKey = nullptr;
    QAction *m_actMoveUp = nullptr;
    QAction *m_actMoveDown = nullptr;
    QAction *m_actMoveChannel = nullptr;
    QAction *m_actSwitchChannel = nullptr;
    QAction *m_actInsertChannel = nullptr;
    QAction *m_actDeleteChannel = nullptr;
    QAction *m_actCopyChannelTo = nullptr;
    QAction *m_actCutChannelTo = nullptr;
    QAction *m_actEditGroup = nullptr;
    QAction *m_actRemoveItem = nullptr;
    QAction *m_actRenameGroup = nullptr;
    QRadioButton *m_radioTv = nullptr;
    QRadioButton *m_radioRadio = nullptr;
    QRadioButton *m_radioTvRadio = nullptr;
    QButtonGroup *m_radioGroup = nullptr;
    QLabel *m_filterLabel = nullptr;
    QLineEdit *m_filterEdit = nullptr;
    QLabel *m_findLabel = nullptr;
    QLineEdit *m_findEdit = nullptr;
    QPushButton *m_findUpButton = nullptr;
    QPushButton *m_findNextButton = nullptr;

    // Column-0 items by programme id, kept in step by the items themselves.
    QHash<quint32, QTableWidgetItem *> m_rowItems;
};

#pragma once

#include "document.h"
#include "programmemodel.h"

#include <QList>
#include <QPair>
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
class ProgrammeTableView;

namespace DB_NS {
class PGNode;
}

/**
 * The programme table: lists whatever the tree selected (all programmes, a
 * satellite, a transponder, a favourite group, the hot keys or the favourite
 * hot keys) under a bar with the TV/RADIO choice, a prefix filter and an
 * incremental find.
 *
 * It owns no model data: its view shows a ProgrammeModel over the document
 * handed over by setDocument(), which follows the document's signals, and it
 * asks the document's edits for every change.
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

    ViewMode viewMode() const { return ViewMode(m_model->view()); }
    /** Programmes the view holds before the filter and the TV/RADIO choice. */
    int viewProgrammeCount() const { return m_model->viewProgrammes().size(); }
    /** Programmes of the view the TV/RADIO choice leaves out, whatever the filter says. */
    int otherServiceCount() const { return m_model->otherServiceCount(); }
    /** The RADIO choice is shown, so the programmes left out are TV ones. */
    bool showsRadio() const { return m_model->service() == ProgrammeModel::Radio; }
    quint32 currentSatId() const { return m_model->satId(); }
    quint32 currentTpId() const { return m_model->tpId(); }
    quint32 currentFavId() const { return m_model->favId(); }

    ProgrammeTableView *table() const { return m_table; }
    ProgrammeModel *model() const { return m_model; }

    /** The programme a row shows, or null. */
    const DB_NS::PGNode *programmeAt(int row) const { return m_model->programmeAt(row); }
    /** The row that shows the programme, or -1. */
    int rowOf(quint32 programmeId) const { return m_model->rowOf(programmeId); }
    /** The programme ids of the rows, top to bottom (NoId for a row without one). */
    QVector<quint32> rowIds() const { return m_model->rowIds(); }
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
    void actUseThisOrderTriggered();

    void tableCellDoubleClicked(int row, int column);
    void radioButtonClicked(int id);
    void itemSelectionChanged();
    void slotFilterChanged(const QString &text);
    void slotFindCurrentRow(const QString &text);
    void slotFindUpSearchRes();
    void slotFindNextSearchRes();
    void documentWasReset();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    // Rows measured when columns are sized to their contents; a bounded sample
    // keeps a view of many thousand rows as quick as a small one.
    static constexpr int ResizeSampleRows = 40;

    static bool isProgrammeView(ViewMode mode);

    // Construction, rows and selection (qdbprogramwidget.cpp).
    void selectRows(const QVector<int> &rows);
    // The selection after each step (programmeselection.cpp).
    void followDocument(Document *document);
    /** Before programmes go: which shown row is to be selected once they went. */
    void noteRowAfter(const QVector<quint32> &ids);
    void selectStep();
    /** Selects the rows of those programmes that are shown; false when none is. */
    bool selectIds(const QVector<quint32> &ids);
    /**
     * After Insert or Paste: brings the new programmes into view and selects
     * them, saying done and what the view still hides in the status bar.
     */
    void showNewProgrammes(const QVector<quint32> &ids, const QString &done);
    // The views (programmeviews.cpp).
    void showView(ViewMode mode, quint32 satId = DB_NS::NoId, quint32 tpId = DB_NS::NoId,
                  quint32 favId = DB_NS::NoId);
    /** The row's cell under the point holds text, as a filled cell does. */
    bool hasCellAt(const QPoint &viewportPoint) const;
    // Filter and find (programmefind.cpp).
    /** The rows whose name starts with the find text, top to bottom. */
    QList<int> findHits() const;
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
    // Header sort, Use This Order and dragged rows (programmeorderactions.cpp).
    void setUpOrdering();
    void paintCornerButton(QWidget *button);
    // Operations (programmeoperations.cpp).
    quint32 copyOrCutTo(bool cut);
    // Move Up (up) or Move Down of the selected rows, as the view orders them.
    void moveBy(bool up);

    Document *m_document = nullptr;
    // Views into the document's data, refreshed when it is reset.
    const ChannelDatabase *m_database = nullptr;
    const TemplateVector *m_pgTemplate = nullptr;
    const QStringList *m_favouriteNames = nullptr;
    const QVector<HotKey> *m_hotKeys = nullptr;
    const QVector<FavHotKey> *m_favHotKeys = nullptr;

    // What the step under way touched: the programmes it inserted, moved or
    // changed, and the programme whose row follows those it removes.
    QVector<quint32> m_stepIds;
    QPair<quint32, bool> m_rowAfterRemoval{DB_NS::NoId, false};

    // Rows of the find's answer; stale once rows move.
    QList<int> m_findHits;
    bool m_findHitsStale = false;

    ProgrammeModel *m_model = nullptr;
    ProgrammeTableView *m_table = nullptr;
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
    QAction *m_actUseThisOrder = nullptr;
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
};

#pragma once

#include "templatefield.h"

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
 * It owns no model data: the database and the lists are the main window's,
 * handed over by setDatabase() and changed in place. In the programme views
 * the column-0 item of a row carries its DB_NS::PGNode* under Qt::UserRole;
 * in the hot-key views it carries the HotKeyItem* or FavHotKeyItem*.
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
     * Empties the table and both line edits. The pointers are stored only
     * when database, field map, template and favourite names are all set;
     * otherwise the previous ones stay. The clipboard is kept.
     */
    void setDatabase(ChannelDatabase *database, TemplateMap *pgFields, TemplateVector *pgTemplate,
                     QStringList *favouriteNames, QVector<HotKeyItem> *hotKeys,
                     QVector<FavHotKeyItem> *favHotKeys);
    void setFileKind(int kind);
    int fileKind() const { return m_fileKind; }

    /** Writes the All Services row order into the programmes' "default_order". */
    void storeRowOrder();

    /** Forgets the database and empties the table and the clipboard. */
    void clearAll();

    ViewMode viewMode() const { return m_viewMode; }
    quint32 currentSatId() const { return m_currentSatId; }
    quint32 currentTpId() const { return m_currentTpId; }
    quint32 currentFavId() const { return m_currentFavId; }

    QTableWidget *table() const { return m_table; }

    /** The programme of a row's column-0 item, or null. */
    DB_NS::PGNode *programmeAt(int row) const;
    /** The row that shows the programme, or -1; O(1). */
    int rowOf(const DB_NS::PGNode *programme) const;

public slots:
    void allSrvSelected();
    void satSelected(unsigned int id);
    void tpSelected(unsigned int satId, unsigned int tpId);
    void favSelected(unsigned int id);
    void hotkeySelected();
    void favhotkeySelected();

signals:
    void favGroupRenamed(unsigned int id, QString name);
    void signalbIsChange(bool bIsChange);
    void pgSelected(unsigned int sat, unsigned int tp, unsigned int pg);

protected slots:
    // Programme, favourite-group and hot-key operations; the menu and the
    // keys already reach them.
    virtual void actEditChannelTriggered();
    virtual void actCopyChannelTriggered();
    virtual void actPasteChannelTriggered();
    virtual void actEditHotKeyTriggered();
    virtual void actMoveUpChannelTriggered();
    virtual void actMoveDownChannelTriggered();
    virtual void actMoveChannelTriggered();
    virtual void actSwitchChannelTriggered();
    virtual void actInsertChannelTriggered();
    virtual void actDeleteChannelTriggered();
    virtual void actCopyChannelToTriggered();
    virtual void actCutChannelToTriggered();
    virtual void actEditGroupTriggered();
    virtual void actRemoveItemTriggered();
    virtual void actRenameGroupTriggered();

private slots:
    void tableCellDoubleClicked(int row, int column);
    void radioButtonClicked(int id);
    void itemSelectionChanged();
    void slotFilterChanged(const QString &text);
    void slotFindCurrentRow(const QString &text);
    void slotFindUpSearchRes();
    void slotFindNextSearchRes();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

    /** Adds the programme at row unless the TV/RADIO choice or the filter hides it. */
    void addProgrammeRow(int row, DB_NS::PGNode *programme);
    /** Writes the programme's open attributes into an existing row. */
    void fillProgrammeRow(int row, DB_NS::PGNode *programme);
    void resetTable();
    void refreshView();

    ChannelDatabase *m_database = nullptr;
    TemplateMap *m_pgFields = nullptr;
    TemplateVector *m_pgTemplate = nullptr;
    QStringList *m_favouriteNames = nullptr;
    QVector<HotKeyItem> *m_hotKeys = nullptr;
    QVector<FavHotKeyItem> *m_favHotKeys = nullptr;

    ViewMode m_viewMode = None;
    int m_serviceFilter = 0;
    quint32 m_currentSatId = 0xFFFFFFFFu;
    quint32 m_currentTpId = 0xFFFFFFFFu;
    quint32 m_currentFavId = 0xFFFFFFFFu;
    qint32 m_nextNewId = -1;
    QList<int> m_findHits;
    QList<DB_NS::PGNode *> m_programmeClipboard;
    int m_fileKind = 0;

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

private:
    void fillProgrammeCells(int row, int firstColumn, DB_NS::PGNode *programme, bool withReference);
    bool passesServiceAndFilter(const DB_NS::PGNode *programme) const;
    QVector<DB_NS::PGNode *> orderedAllServices() const;
    void fillRows(const QVector<DB_NS::PGNode *> &candidates);
    void buildProgrammeColumns();
    void buildHotKeyView();
    void buildFavHotKeyView();
    void resizeColumns();
    void selectFindTarget(int row);
    void stepFind(bool up);
    bool routeTableKey(QKeyEvent *event);
    void paintCornerButton(QWidget *button);
    void deleteClipboard();

    // Column-0 items by programme, kept in step by the items themselves.
    QHash<const DB_NS::PGNode *, QTableWidgetItem *> m_rowItems;
};

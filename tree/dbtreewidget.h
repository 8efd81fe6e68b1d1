#pragma once

#include "document.h"

#include <QStringList>
#include <QTreeWidget>
#include <QVector>

class ChannelDatabase;
class DBTreeWidgetItem;
class QAction;

namespace DB_NS {
class Node;
}

/**
 * The left-hand tree: "All Services" with the satellites and their TPs, the
 * favourite groups and the two hot-key roots. Tells the programme table what
 * was selected, filters satellites or TPs by name prefix, and owns the
 * document's change flag.
 *
 * The data handed to setDatabase() belongs to the main window; the tree edits
 * it in place and never frees it.
 */
class DBTreeWidget : public QTreeWidget
{
    Q_OBJECT

public:
    explicit DBTreeWidget(QWidget *parent = nullptr);
    ~DBTreeWidget() override;

    /**
     * Shows the document (not owned) and follows its changes from now on.
     * False, with the tree left empty, while it holds no database.
     */
    bool setDocument(Document *document);
    Document *document() const { return m_document; }

    /** Deletes every item and the copied TPs; the change flag, limit and filter stay. */
    void clearTree();

    /** The document's change flag. */
    bool bIsChange() const;
    quint32 maxSatNum() const { return m_maxSatNum; }

signals:
    void signal_allsrv_selected();
    void signal_fav_selected(unsigned int id);
    /** A satellite became current; any id is a satellite's own, 4294967295 included. */
    void signal_sat_selected(unsigned int id);
    void signal_tp_selected(unsigned int sat_id, unsigned int tp_id);
    void signal_hotkey_selected();
    void signal_favhotkey_selected();
    /** "Satellite Information" became current, or is current again after a deletion. */
    void signal_allsat_selected();

public slots:
    /** The group whose bit is the highest set in id takes the name. */
    void slotRenameFavItem(unsigned int id, const QString &name);
    void slotFilterChanged(const QString &text);
    /** 0 filters satellites, 1 filters TPs. */
    void slotSearchTypeChanged(int index);
    /** Makes the programme's TP current without emitting a selection signal; pg is unused. */
    void slotPGSelected(unsigned int sat, unsigned int tp, unsigned int pg);
    /** False forgets unsaved changes (a declined close); true adds nothing, as every change is an undo step. */
    void setbIsChange(bool bIsChange);

private slots:
    void slotShowContextMenu(const QPoint &pos);
    void slotAddSat();
    void slotEditSat();
    void slotAddTP();
    void slotEditTP();
    void slotDelete();
    void slotMoveUp();
    void slotMoveDown();
    void slotSwitch();
    void slotMove();
    void slotCopy();
    void slotPaste();
    void slotRenameFav();
    void slotCurrentItemChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous);
    void slotItemChanged(QTreeWidgetItem *item, int column);
    bool rebuild();
    void showGroupName(int index, const QString &name);
    void showNodeName(NodeKind kind, quint32 id, quint32 satId);
    /** Brings the satellites, or one satellite's TPs, in line with the document, moving rows in place. */
    void showNodes(NodeKind kind, quint32 satId);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QAction *makeAction(const QString &text, const QString &objectName, void (DBTreeWidget::*slot)());
    void updateActionStates();
    /** Opens the fields of a satellite or TP item, as Edit does; false for any other item. */
    bool editNodeItem(QTreeWidgetItem *item);
    void restrictSelectionTo(QTreeWidgetItem *current);
    void applyFilter();
    DBTreeWidgetItem *findChildById(QTreeWidgetItem *parent, quint32 id) const;
    DBTreeWidgetItem *makeItem(const DB_NS::Node *node, bool withChildren) const;
    void syncChildren(QTreeWidgetItem *parent, const QVector<const DB_NS::Node *> &wanted);

    // Tree editing (dbtreeediting.cpp).
    DBTreeWidgetItem *currentTreeItem() const;
    /** The selected items that share the first one's kind and parent, in selection order. */
    QList<DBTreeWidgetItem *> selectedSiblings() const;
    void editNodeInDialog(NodeKind kind, quint32 id, quint32 satId, const QString &title);
    /** Makes item current without telling anyone, then sends what the description says. */
    void showAfterDelete(QTreeWidgetItem *item);

    Document *m_document = nullptr;

    DBTreeWidgetItem *m_allServicesRoot = nullptr;
    DBTreeWidgetItem *m_allFavouritesRoot = nullptr;
    DBTreeWidgetItem *m_hotKeyRoot = nullptr;
    DBTreeWidgetItem *m_favHotKeyRoot = nullptr;
    DBTreeWidgetItem *m_satelliteRoot = nullptr;

    QAction *m_actAddSat = nullptr;
    QAction *m_actEditSat = nullptr;
    QAction *m_actAddTP = nullptr;
    QAction *m_actEditTP = nullptr;
    QAction *m_actDelete = nullptr;
    QAction *m_actMoveUp = nullptr;
    QAction *m_actMoveDown = nullptr;
    QAction *m_actSwitch = nullptr;
    QAction *m_actMove = nullptr;
    QAction *m_actCopy = nullptr;
    QAction *m_actPaste = nullptr;
    QAction *m_actRename = nullptr;

    // Set while an editing slot runs: it decides what becomes current itself.
    bool m_editing = false;
    int m_searchType = 0;
    QString m_filterText;
    quint32 m_maxSatNum = 0xFFFFFFFFu;
};

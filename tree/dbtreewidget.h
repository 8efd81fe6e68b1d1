#pragma once

#include "dbtreemodel.h"
#include "document.h"

#include <QModelIndexList>
#include <QTreeView>
#include <QVector>

class QAction;

/**
 * The left-hand tree: a view over DBTreeModel. Tells the programme table
 * what was selected, filters satellites or TPs by name prefix, and runs the
 * context menu's operations through the document's edits.
 */
class DBTreeWidget : public QTreeView
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
    DBTreeModel *treeModel() const { return m_model; }

    /** Empties the tree until the document is reset or set again; the filter and limit stay. */
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

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QAction *makeAction(const QString &text, const QString &objectName, void (DBTreeWidget::*slot)());
    void showRoots();
    void nodesAboutToChange();
    void nodesChanged();
    /** Tells the table what became current, after keeping the selection to its kind. */
    void announceCurrent(const QModelIndex &current);
    void updateActionStates();
    /** Opens the fields of a satellite or TP row, as Edit does; false for any other row. */
    bool editNodeRow(const QModelIndex &index);
    void restrictSelectionTo(const QModelIndex &current);
    void applyFilter();
    /** Makes index current and selected without telling anyone. */
    void setCurrentQuietly(const QModelIndex &index);

    // Tree editing (dbtreeediting.cpp).
    /** The selected rows that share the first one's kind and parent, in selection order. */
    QModelIndexList selectedSiblings() const;
    /** What a delete of the rows takes with it, for the question: "Astra 19.2E and its 120 programmes". */
    QString deleteDetail(const QModelIndexList &rows) const;
    void editNodeInDialog(NodeKind kind, quint32 id, quint32 satId, const QString &title);
    /** Makes index current without telling anyone, then sends what the description says. */
    void showAfterDelete(const QModelIndex &index);

    Document *m_document = nullptr;
    DBTreeModel *m_model = nullptr;

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
    // Set while the rows follow a change to the tree's structure; the row
    // that became current meanwhile is announced once the rows are in place.
    bool m_following = false;
    bool m_currentLost = false;
    // Set while the tree moves its own current row; nobody is told.
    bool m_quiet = false;
    int m_searchType = 0;
    QString m_filterText;
    quint32 m_maxSatNum = 0xFFFFFFFFu;
};

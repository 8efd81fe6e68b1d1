#pragma once

#include "document.h"

#include <QModelIndex>
#include <QString>
#include <QStringList>

class DBTreeWidget;

// One small document, built through the model, as the main window would hold it:
//   sat 10 "Alpha 1":     TPs 100 (11778 H 27500), 101 (11800 V 22000), 102 (12000 H 27500)
//   sat 20 "Beta":        TP 200 (10700 V 22000)
//   sat 40, no NAME:      TP 400
//   sat 30 "Gamma Alpha": TPs 300 (12100 H 27500), 301 (12200 V 27500)
// plus four favourite groups, one hot key and one favourite hot key.
struct TreeFixture
{
    TreeFixture();

    // The first call makes doc the document's content; every call shows the document in the tree.
    bool attach(DBTreeWidget &tree);

    static QString frq(quint32 tpId);

    DocumentData doc; // staged here, then moved into the document
    Document document;
};

/**
 * A row by a short path: "A" All Services, "S" Satellite Information,
 * "S/1" its second satellite, "S/1/0" that satellite's first TP,
 * "F" All Favourites, "F/2" its third group, "H" HotKey, "K" Fav HotKey.
 * Invalid when the path names no row.
 */
QModelIndex itemAtPath(DBTreeWidget &tree, const QString &path);

/** Texts of a row's children, or of the top level for an invalid parent. */
QStringList childTexts(DBTreeWidget &tree, const QModelIndex &parent, bool visibleOnly = false);

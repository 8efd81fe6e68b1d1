#pragma once

#include "documentdata.h"
#include "document.h"

#include <QPair>
#include <QVector>

#include <memory>
#include <vector>

/**
 * Satellites, or TPs of one satellite, out of the database: what a delete
 * took out, or new nodes not yet added. It holds everything needed to put
 * them back exactly where they were: the nodes with the sibling each stood
 * in front of, the programmes with their neighbours in the lists that lost
 * them, and the hot keys the removal unassigned.
 *
 * Putting back goes from the last entry to the first, so each entry's
 * neighbour is already in place, whether it stayed or came back itself.
 */
struct DetachedNodes
{
    struct Entry
    {
        std::unique_ptr<DB_NS::Node> node;
        bool last = true;   // it was the last of its list
        quint32 nextId = 0; // otherwise the id of the node that followed it
    };
    struct Listing
    {
        DB_NS::PGNode *programme = nullptr; // owned by its TP among the entries
        bool last = true;
        quint32 nextId = 0;
    };

    NodeKind kind = NodeKind::Satellite;
    quint32 satId = DB_NS::NoId;         // the TPs' satellite
    std::vector<Entry> entries;          // in list order
    std::vector<Listing> satProgrammes;  // left the satellite's allPGs (TPs only), in its order
    std::vector<Listing> allProgrammes;  // left the database's allPGs, in its order
    QVector<QPair<int, HotKey>> hotKeys; // keys unassigned, with what they held

    bool isEmpty() const { return entries.empty(); }
    QVector<quint32> ids() const
    {
        QVector<quint32> ids;
        ids.reserve(int(entries.size()));
        for (const Entry &entry : entries)
            ids.append(entry.node->id());
        return ids;
    }

    /** New nodes to be appended in this order. */
    static DetachedNodes appending(NodeKind kind, quint32 satId, std::vector<std::unique_ptr<DB_NS::Node>> nodes)
    {
        DetachedNodes added;
        added.kind = kind;
        added.satId = satId;
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            Entry entry;
            entry.last = i + 1 == nodes.size();
            entry.nextId = entry.last ? 0 : nodes[i + 1]->id();
            entry.node = std::move(nodes[i]);
            added.entries.push_back(std::move(entry));
        }
        return added;
    }
};

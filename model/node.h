#pragma once

#include "nodeattribute.h"

#include <QVector>
#include <QtGlobal>

namespace DB_NS {

/** The id that stands for "none" or "all"; as an anchor it means "append". */
constexpr quint32 NoId = 0xFFFFFFFFu;

class Node;
class SatNode;
class TPNode;
class PGNode;

/**
 * A bag of named text attributes with an id and the id of its owner as the
 * parser record carries it.
 *
 * The id keys every list that holds the node: change it with setId() only
 * while the node is in no list, otherwise through ChannelDatabase::renumber().
 */
class Node
{
public:
    Node() = default;
    explicit Node(quint32 id)
        : m_id(id) {}
    virtual ~Node();

    quint32 id() const { return m_id; }
    void setId(quint32 id) { m_id = id; }

    virtual quint32 getParentId() const;
    virtual void setParentId(quint32 parentId);

    /** In record order; names are unique case-insensitively. */
    const QVector<NodeAttribute> &attributes() const { return m_attributes; }

    /**
     * First attribute whose name matches case-insensitively, or null. The
     * pointer is valid until the next attribute is added or removed.
     */
    NodeAttribute *findAttribute(const QString &name);
    const NodeAttribute *findAttribute(const QString &name) const;
    bool hasAttribute(const QString &name) const { return findAttribute(name) != nullptr; }

    /** The value of that attribute; empty when absent. */
    QString value(const QString &name) const;

    /** Sets the value, adding the attribute at the end when missing. True when something changed. */
    bool setValue(const QString &name, const QString &value);

    /** Appends an attribute; false (nothing added) when the name exists already. */
    bool addAttribute(const QString &name, const QString &value);
    /**
     * Appends without looking for the name, for a reader that has made sure
     * by its own means that the node does not have it yet.
     */
    void appendNewAttribute(const QString &name, const QString &value)
    {
        Q_ASSERT(indexOf(name) < 0);
        m_attributes.append(NodeAttribute{name, value});
    }

    bool removeAttribute(const QString &name);

    /** Replaces all attributes; a later duplicate name is dropped. */
    void setAttributes(const QVector<NodeAttribute> &attributes);
    /** Room for n attributes, so that filling a node grows its list once. */
    void reserveAttributes(int n) { m_attributes.reserve(n); }

private:
    Q_DISABLE_COPY(Node)

    int indexOf(const QString &name) const;

    quint32 m_id = 0;
    quint32 m_parentId = 0;
    QVector<NodeAttribute> m_attributes;
};

} // namespace DB_NS

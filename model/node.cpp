#include "node.h"

namespace DB_NS {

Node::~Node() = default;

quint32 Node::getParentId() const
{
    return m_parentId;
}

void Node::setParentId(quint32 parentId)
{
    m_parentId = parentId;
}

int Node::indexOf(const QString &name) const
{
    for (int i = 0, n = m_attributes.size(); i < n; ++i) {
        if (NodeAttribute::namesEqual(m_attributes.at(i).name, name))
            return i;
    }
    return -1;
}

NodeAttribute *Node::findAttribute(const QString &name)
{
    const int i = indexOf(name);
    return i < 0 ? nullptr : &m_attributes[i];
}

const NodeAttribute *Node::findAttribute(const QString &name) const
{
    const int i = indexOf(name);
    return i < 0 ? nullptr : &m_attributes.at(i);
}

QString Node::value(const QString &name) const
{
    const NodeAttribute *attribute = findAttribute(name);
    return attribute ? attribute->value : QString();
}

bool Node::setValue(const QString &name, const QString &value)
{
    NodeAttribute *attribute = findAttribute(name);
    if (!attribute)
        return addAttribute(name, value);
    if (attribute->value == value)
        return false;
    attribute->value = value;
    return true;
}

bool Node::addAttribute(const QString &name, const QString &value)
{
    if (indexOf(name) >= 0)
        return false;
    m_attributes.append(NodeAttribute{name, value});
    return true;
}

bool Node::removeAttribute(const QString &name)
{
    const int i = indexOf(name);
    if (i < 0)
        return false;
    m_attributes.remove(i);
    return true;
}

void Node::setAttributes(const QVector<NodeAttribute> &attributes)
{
    m_attributes.clear();
    m_attributes.reserve(attributes.size());
    for (const NodeAttribute &attribute : attributes)
        addAttribute(attribute.name, attribute.value);
}

} // namespace DB_NS

#include "recipe/explorer/ProcessTreeNode.h"

#include "recipe/explorer/ProcessTreeIcons.h"
#include "recipe/explorer/ProcessTreeTypes.h"

#include <QStringBuilder>

CProcessTreeNode::CProcessTreeNode(const QString& label, long id, int icon)
    : m_label(label), m_id(id), m_icon(icon)
{
}

CProcessTreeNode::CProcessTreeNode(long upNumber, std::optional<long> opNumber, const QString& name, long id,
                                   int icon)
    : m_label(name), m_id(id), m_icon(icon), m_kind(opNumber ? Label::Operation : Label::UnitProcedure),
      m_upNumber(upNumber), m_opNumber(opNumber.value_or(0))
{
}

QString CProcessTreeNode::label() const
{
    if (m_kind == Label::Whole)
        return m_label;
    const QString number = QString::number(m_upNumber);
    if (m_kind == Label::UnitProcedure)
        return number % QLatin1String(". ") % m_label;
    return number % QLatin1Char('.') % QString::number(m_opNumber) % QLatin1String(". ") % m_label;
}

QVariant CProcessTreeNode::data(int column, int role) const
{
    if (column != 0)
        return QTreeWidgetItem::data(column, role);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return label();
    case NODE_ID_ROLE:
        return qlonglong(m_id);
    case NODE_ICON_ROLE:
        return m_icon;
    case Qt::DecorationRole: {
        const QVariant set = QTreeWidgetItem::data(column, role);
        return set.isValid() ? set : QVariant(ProcessTreeNodeIcon(m_icon));
    }
    default:
        return QTreeWidgetItem::data(column, role);
    }
}

// The members take their roles' values. Without a decoration set from outside, the icon id
// decides the icon shown.
void CProcessTreeNode::setData(int column, int role, const QVariant& value)
{
    if (column != 0)
        return QTreeWidgetItem::setData(column, role, value);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        m_label = value.toString();
        m_kind = Label::Whole;
        break;
    case NODE_ID_ROLE:
        m_id = long(value.toLongLong());
        break;
    case NODE_ICON_ROLE:
        m_icon = value.toInt();
        break;
    default:
        return QTreeWidgetItem::setData(column, role, value);
    }
    emitDataChanged();
}

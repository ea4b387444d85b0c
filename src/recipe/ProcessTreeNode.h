#pragma once
// A node of the Process Explorer tree. Its label, database id and icon id are members rather than
// item data: a tree of a large project has tens of thousands of nodes, and the item's own role
// lists cost several hundred bytes a node. The icon shown follows the icon id
// unless an icon was set on the node.

#include <QTreeWidgetItem>

class CProcessTreeNode : public QTreeWidgetItem {
public:
    CProcessTreeNode(const QString& label, long id, int icon);

    QVariant data(int column, int role) const override;
    void setData(int column, int role, const QVariant& value) override;

private:
    QString m_label;
    long m_id;
    int m_icon;
};

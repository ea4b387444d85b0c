#pragma once
// A node of the Process Explorer tree. Its label, database id and icon id are members rather than
// item data: a tree of a large project has tens of thousands of nodes, and the item's own role
// lists cost several hundred bytes a node. The icon shown follows the icon id
// unless an icon was set on the node.

#include <QTreeWidgetItem>

#include <optional>

class CProcessTreeNode : public QTreeWidgetItem {
public:
    CProcessTreeNode(const QString& label, long id, int icon);
    // A unit procedure's node ("<up>. <name>") or, with an operation number, an operation's
    // ("<up>.<op>. <name>"): the label is made when asked, so the node shares the name instead of
    // holding a label of its own.
    CProcessTreeNode(long upNumber, std::optional<long> opNumber, const QString& name, long id, int icon);

    QVariant data(int column, int role) const override;
    void setData(int column, int role, const QVariant& value) override;

private:
    QString label() const;

    enum class Label : char { Whole, UnitProcedure, Operation }; // what m_label holds: else the name
    QString m_label;
    long m_id;
    int m_icon;
    Label m_kind = Label::Whole;
    long m_upNumber = 0;
    long m_opNumber = 0;
};

#pragma once
// The Operating Instruction Standard Statements pane: every operation and unit procedure of the
// current step in recipe order, with the standard statement the operating-instructions module
// gives it. Its context menu opens the editor of the row's item.

#include "foundation/common/concerns/CommandTarget.h"
#include "recipe/panes/StepListPane.h"

class CStandardStatementView : public CStepListPane, public CommandTarget {
    Q_OBJECT
public:
    static constexpr unsigned LIST_ID = 61464;
    static constexpr unsigned CONTEXT_MENU_ID = 480;

    explicit CStandardStatementView(QWidget* parent = nullptr);

    // One per row: an operation id, or minus a unit-procedure id.
    const QList<long>& itemIDs() const { return m_itemIDs; }
    // "Open Dialog" on the row: the editor of its item.
    void OpenDialog(int row);

    // CommandTarget: "Open Dialog" of the context menu.
    bool HandlesCommand(int commandID) const override;
    bool IsCommandEnabled(int commandID) const override { return HandlesCommand(commandID); }
    void OnCommand(int commandID) override { OnCommandAt(commandID, hitItem()); }
    void OnCommandAt(int commandID, const QVariant& hitItem) override;

protected:
    QString DefaultCaption() const override
    {
        return QStringLiteral("Operating Instruction Standard Statements");
    }
    void Fill() override;
    void EmptyList() override;
    void TrackContextMenu(const QPoint& globalPos) override;

private:
    void addRow(const QString& text, long itemID, const QString& statement);

    QList<long> m_itemIDs;
};

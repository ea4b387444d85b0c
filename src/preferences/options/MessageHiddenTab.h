#pragma once
// One tab of the hidden-message sheet: the messages of one type ("Warning", "Note", "Default"),
// each with its "Hide Message" check. Leaving the tab (or OK) stores the ticked ids in the
// dialog's list for the type.

#include "foundation/common/Array.h"
#include "foundation/controls/QVPropertyPage.h"

class CObjectGridWndSort;

class CMessageHiddenTab : public CQVPropertyPage {
    Q_OBJECT
public:
    // hidden: the stored ids, ascending; target: the dialog's list for this tab's type.
    CMessageHiddenTab(const QString& title, const Array<long>& hidden, bool hiddenRead, Array<long>& target);

    QString MessageType() const { return m_type; }
    CObjectGridWndSort* grid() const { return m_grid; }
    bool OnKillActive() override;

private:
    void LayOutGrid(int rows);
    void Fill(const Array<long>& hidden);

    QString m_type;
    Array<long>& m_target;
    CObjectGridWndSort* m_grid;
    bool m_bInitialized = false;
};

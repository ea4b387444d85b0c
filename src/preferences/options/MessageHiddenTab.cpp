#include "preferences/options/MessageHiddenTab.h"

#include "foundation/controls/ObjectGridWndSort.h"
#include "modules/errmsg/ErrMsgEntry.h"
#include "modules/errmsg/MessageCatalogue.h"

#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

namespace {
constexpr int MESSAGE_GRID = 1655;
enum HiddenColumn { COL_HIDE = 1, COL_TEXT = 2, COL_ID = 3 };

struct ShownMessage {
    long id;
    QString text;
    bool hidden;
};
} // namespace

CMessageHiddenTab::CMessageHiddenTab(const QString& title, const Array<long>& hidden, bool hiddenRead,
                                     Array<long>& target)
    : m_type(title.left(title.size() - 1)), m_target(target), m_grid(new CObjectGridWndSort(this))
{
    setObjectName(title);
    m_grid->setObjectName(QString::number(MESSAGE_GRID));
    m_grid->setAccessibleName(QStringLiteral("Message Grid"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addWidget(
        new QLabel(QStringLiteral("Columns can be sorted by double clicking field title."), this));
    layout->addWidget(new QLabel(QStringLiteral("Where %s equals a simulation variable"), this));
    m_grid->Initialize();
    if (hiddenRead)
        Fill(hidden);
    else
        LayOutGrid(0); // an unreadable hidden list leaves the rows empty
    m_bInitialized = true;
}

void CMessageHiddenTab::LayOutGrid(int rows)
{
    m_grid->SetRowCount(rows);
    m_grid->SetColCount(3);
    m_grid->SetColWidth(COL_HIDE, 90);
    m_grid->SetColWidth(COL_ID, 0);
    m_grid->SetValueRowCol(0, COL_HIDE, QStringLiteral("Hide Message"));
    m_grid->SetValueRowCol(0, COL_TEXT, QStringLiteral("Message Text"));
    // The text column takes the width the tab gains or loses.
    m_grid->horizontalHeader()->setSectionResizeMode(COL_TEXT - 1, QHeaderView::Stretch);
}

// The messages of this tab's type from the first message id on; the hidden list is walked beside
// the ascending ids, so a hidden id of another type does not hold up the ones after it.
void CMessageHiddenTab::Fill(const Array<long>& hidden)
{
    CErrMsgEntry entry;
    QList<ShownMessage> shown;
    long next = 0;
    const long bound = entry.getMaxMessage();
    for (long id = FIRST_MESSAGE_ID; id < bound; ++id) {
        QString text, type;
        entry.getErrorMessage(id, text, type);
        while (next < hidden.GetSize() && hidden[next] < id)
            ++next;
        if (type == QLatin1String("Error") || type.compare(m_type, Qt::CaseInsensitive) != 0)
            continue;
        shown.append({id, text, next < hidden.GetSize() && hidden[next] == id});
    }
    LayOutGrid(int(shown.size()));
    m_grid->SetStyleRange(CGridRange(1, COL_HIDE, int(shown.size()), COL_HIDE),
                          CGridCellStyle()
                              .SetControl(GRID_CTRL_CHECKBOX)
                              .SetInterior(Qt::white)
                              .SetHorizontalAlignment(Qt::AlignHCenter));
    m_grid->SetStyleRange(CGridRange(1, COL_TEXT, int(shown.size()), COL_ID),
                          CGridCellStyle().SetControl(GRID_CTRL_STATIC).SetReadOnly(true));
    for (int row = 1; row <= shown.size(); ++row) {
        const ShownMessage& message = shown[row - 1];
        m_grid->SetValueRowCol(row, COL_HIDE, message.hidden ? QStringLiteral("1") : QStringLiteral("0"));
        m_grid->SetValueRowCol(row, COL_TEXT, message.text);
        m_grid->SetValueRowCol(row, COL_ID, QString::asprintf("%ld", message.id));
    }
}

bool CMessageHiddenTab::OnKillActive()
{
    m_target.RemoveAll();
    for (int row = 1; row <= m_grid->GetRowCount(); ++row) {
        const QString hide = m_grid->GetValueRowCol(row, COL_HIDE);
        if (!hide.isEmpty() && hide != QLatin1String("0"))
            m_target.Add(m_grid->GetValueRowCol(row, COL_ID).toLong());
    }
    return true;
}

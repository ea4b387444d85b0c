#include "foundation/controls/MyGXEdit.h"

#include "foundation/controls/ObjectGridWnd.h"

#include <algorithm>

CMyGXEdit::CMyGXEdit(CObjectGridWnd* grid, int controlId, int col) : m_grid(grid), m_controlId(controlId), m_col(col)
{
    m_grid->SetValueObserver(this);
}

CMyGXEdit::~CMyGXEdit()
{
    m_grid->SetValueObserver(nullptr);
}

void CMyGXEdit::OnStoreValue(int row, int col, const QString& text)
{
    if (col != m_col || row < 1)
        return;
    const int lastRow = std::min(m_rowLimit, m_grid->GetRowCount());
    if (row + 1 <= lastRow)
        m_grid->SetValueRowCol(row + 1, col - 1, text);
    if (row > 1 && m_grid->GetValueRowCol(row, col - 1).isEmpty())
        m_grid->SetValueRowCol(row, col - 1, m_grid->GetValueRowCol(row - 1, col));
}

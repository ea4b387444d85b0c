#include "recipe/view/RecipeEdit.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "recipe/view/QuorvantaView.h"

CRecipeEdit::CRecipeEdit(CQUORVANTAView& view) : CRecipeEdit(view, 0, -1) {}

CRecipeEdit::CRecipeEdit(CQUORVANTAView& view, int from, int to)
    : m_view(view), m_from(from), m_to(to), m_before(Rows()), m_selected(view.GetFirstSelectedIndex()),
      m_vertPos(view.vertPos()), m_horzPos(view.horzPos())
{
}

QList<RecipeLineRow> CRecipeEdit::Rows() const
{
    const QList<CRecipeButton*>& lines = m_view.lines();
    return CRecipeEditWriter::RowsOf(lines, m_from, m_to < 0 ? lines.size() : m_to);
}

bool CRecipeEdit::CanWrite(long stepID)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (step && step->CanUpdate())
        return true;
    QvMessageBox(QStringLiteral("Can't open TextRecipe Table to update!"), MB_OK);
    return false;
}

bool CRecipeEdit::Commit(const std::function<void(CDaoDatabase&)>& ownRows,
                         const std::function<void(CDaoDatabase&)>& afterRows)
{
    CDaoDatabase* step = GetStepDatabase(m_view.stepID());
    try {
        if (!step)
            throw CDaoException(QStringLiteral("Can't open TextRecipe Table to update!"));
        CDaoTransaction transaction(*step);
        if (ownRows)
            ownRows(*step);
        const QList<RecipeLineRow> rows = Rows();
        const std::pair<qsizetype, qsizetype> ends = CRecipeEditWriter::SharedEnds(m_before, rows);
        m_rowsWritten = CRecipeEditWriter::Write(*step, m_view.stepID(), m_before, rows, ends);
        if (afterRows)
            afterRows(*step);
        const QList<long> regenerated =
            CRecipeEditWriter::RegenerateMovedTexts(m_view.stepID(), m_before, rows, ends);
        transaction.Commit();
        CRecipeEditWriter::ShowRegeneratedTexts(m_view.stepID(), regenerated);
        return true;
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription(), MB_OK | MB_ICONERROR);
    } catch (const RecipeEditAborted&) {
    }
    RestoreFromDatabase();
    return false;
}

void CRecipeEdit::RestoreFromDatabase()
{
    m_view.RebuildRecipe();
    m_view.SelectItem(m_selected);
    m_view.OnVScroll(ScrollCode::Thumb, m_vertPos);
    m_view.OnHScroll(ScrollCode::Thumb, m_horzPos);
}

#include "recipe/view/QuorvantaView.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/common/concerns/SelectionService.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "recipe/view/RecipeButton.h"
#include "recipe/view/RecipePrinting.h"
#include "recipe/view/RecipeWindows.h"
#include "results/RecipeMarks.h"

#include <QKeyEvent>
#include <QLocale>
#include <QMetaObject>
#include <QPainter>
#include <QScrollBar>

CQUORVANTAView::CQUORVANTAView(QWidget* parent) : QAbstractScrollArea(parent)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    horizontalScrollBar()->setTracking(false); // the content follows the thumb when it is released
    verticalScrollBar()->setTracking(false);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    m_bJapanese = QLocale::system().language() == QLocale::Japanese;
    if (CRecipeWindows* windows = CRecipeWindows::Installed())
        std::tie(m_bInsertAfter, m_bInsertBefore) = std::pair(windows->insertAfter(), !windows->insertAfter());
}

CQUORVANTAView::~CQUORVANTAView()
{
    if (SelectionService* selection = ServiceSlot<SelectionService>::Get())
        selection->ForgetSource(this);
    qDeleteAll(std::exchange(m_lineButtons, {}));
}

// A rebuild may run inside a line's own handler (an editor that reloads the views): the old lines
// retire, hidden, and go once the event loop takes over.
void CQUORVANTAView::clearLines()
{
    for (CRecipeButton* line : std::as_const(m_lineButtons)) {
        line->hide();
        line->deleteLater();
    }
    m_lineButtons.clear();
    m_selectedLines.clear();
    m_nButtonsCreated = 0;
    m_bMultiSelect = false;
    m_bGroupMarksCleared = false;
}

CRecipeButton* CQUORVANTAView::Line(int index) const
{
    return index >= 0 && index < LineCount() ? m_lineButtons.at(index) : nullptr;
}

QString CQUORVANTAView::documentTitle() const
{
    return m_document.stepTitle.isEmpty() ? windowTitle() : m_document.stepTitle;
}

void CQUORVANTAView::RebuildRecipe()
{
    clearLines();
    m_nHorzPos = m_nVertPos = m_nScrollOffsetX = m_nScrollOffsetY = 0;
    m_nHorzRange = m_nVertRange = 0;
    m_nNextLineY = 0;
    LoadRecipeLines(); // refreshes the remark marks and lays out
}

void CQUORVANTAView::RefreshRecipeText()
{
    RefreshRemarkMarks();
}

void CQUORVANTAView::paintEvent(QPaintEvent* event)
{
    if (m_document.stepID < 0)
        return;
    if (!m_bLinesLoaded) {
        // Built once, outside the paint: a failure shows its message.
        if (std::exchange(m_bLoadPending, false))
            QMetaObject::invokeMethod(
                this, [this] { if (!m_bLinesLoaded) LoadRecipeLines(); }, Qt::QueuedConnection);
        return;
    }
    QAbstractScrollArea::paintEvent(event);
    QPainter painter(viewport());
    const long stopped = StoppedRecipeLine(m_document.stepID);
    for (int j = 0; j < LineCount(); ++j)
        drawLineMarks(painter, m_lineButtons.at(j), j, stopped);
}

void CQUORVANTAView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (!m_lineButtons.isEmpty())
        RecalcLayout();
}

void CQUORVANTAView::showEvent(QShowEvent* event)
{
    QAbstractScrollArea::showEvent(event);
    if (CRecipeWindows* windows = CRecipeWindows::Installed())
        windows->ApplyPendingPlacement(this);
}

void CQUORVANTAView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    OnActivateView(true);
}

void CQUORVANTAView::OnActivateView(bool activate)
{
    if (CRecipeWindows* windows = CRecipeWindows::Installed())
        std::tie(m_bInsertAfter, m_bInsertBefore) = std::pair(windows->insertAfter(), !windows->insertAfter());
    if (!activate)
        return;
    SetCurrentStep(m_document.stepID);
    if (SelectionService* selection = ServiceSlot<SelectionService>::Get()) {
        ContextRecord context;
        context.kind = CONTEXT_TEXT_RECIPE;
        std::tie(context.stepID, context.processID) = std::pair(m_document.stepID, m_document.processID);
        context.stepLabel = m_document.stepTitle;
        selection->ReportActive(this, context);
    }
    const long itemID = GetSelectedItemID();
    const int kind = GetSelectedItemType();
    if (!m_bSyncHeldOff && m_document.stepID > -1 && itemID > -1 &&
        (kind == RECIPE_LINE_UNIT_PROCEDURE || kind == RECIPE_LINE_OPERATION))
        SyncLinkedWindows(m_document.stepID, itemID, LinkedItemType(kind), SyncSource::RecipeView);
}

int CQUORVANTAView::PrintTo(QPrinter& printer)
{
    return PrintRecipe(*this, printer);
}

#include "simulation/DefSimSequenceDlg.h"

#include "foundation/common/HelpService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/SimSequenceRecipe.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/controls/OptionControls.h"
#include "simulation/SimSequenceBuilder.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {
constexpr long kSimSequenceHelpTopic = 20080;
constexpr int kMinColumnWidth = 100;
constexpr int kHeaderRowHeight = 35;
constexpr int kRowHeight = 20;
constexpr int kTallRowHeight = 35;
constexpr int kRowHeaderWidth = 20;

const char* const FILE_NOT_OPENED = "File %1 could not be opened!";
const char* const RESET_QUESTION = "Do you want to reset simulation order to the sequence specified in text recipe?\n"
                                   "The custom simulation order will be lost if you click Yes.";
const char* const START_BEFORE = "Please organize the new starting point because\n\"%1\" cannot start before \"%2\"";
const char* const END_BEFORE = "Please organize the new ending point because\n\"%1\" cannot end before \"%2\"";

struct SimSequenceButtonSpec {
    int id;
    const char* caption;
};
const SimSequenceButtonSpec SEQUENCE_BUTTONS[] = {
    {CDefSimSequenceDlg::IDC_MOVE_UP, "Move Up"},     {CDefSimSequenceDlg::IDC_MOVE_DOWN, "Move Down"},
    {CDefSimSequenceDlg::IDC_PUSH_UP, "Push Up"},     {CDefSimSequenceDlg::IDC_PUSH_DOWN, "Push Down"},
    {CDefSimSequenceDlg::IDC_RESET, "Reset"},         {CDefSimSequenceDlg::IDC_RECONSTRUCTION, "Reconstruction"},
    {IDOK, "OK"},                                     {IDCANCEL, "Cancel"},
};
} // namespace

QString SimSequenceMessageText(const QString& messages)
{
    QString text = messages;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

CDefSimSequenceDlg::CDefSimSequenceDlg(long planID, const QString& planName, QWidget* parent)
    : QDialog(parent), m_planID(planID), m_planName(planName)
{
    setObjectName(QStringLiteral("DefSimSequenceDlg9996"));
    setWindowTitle(QStringLiteral("Simulation Order : Left to right then down"));
    BuildControls();
    resize(760, 560);
    ArrangeControls();
    OnInitDialog();
}

void CDefSimSequenceDlg::BuildControls()
{
    m_grid = new CObjectGridWnd(this);
    m_grid->setObjectName(QStringLiteral("ctl%1").arg(IDC_GRID));
    m_grid->Initialize();
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers); // cells change only by the moves
    m_grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_messages = new QPlainTextEdit(this);
    m_messages->setObjectName(QStringLiteral("ctl%1").arg(IDC_MESSAGES));
    m_messages->setReadOnly(true);
    for (const SimSequenceButtonSpec& spec : SEQUENCE_BUTTONS) {
        auto* button = new QPushButton(QString::fromLatin1(spec.caption), this);
        button->setObjectName(QStringLiteral("ctl%1").arg(spec.id));
        button->setAutoDefault(false);
        const int id = spec.id;
        connect(button, &QPushButton::clicked, this, [this, id] {
            switch (id) {
            case IDC_MOVE_UP: OnMove(SimSequenceMove::MoveUp); break;
            case IDC_MOVE_DOWN: OnMove(SimSequenceMove::MoveDown); break;
            case IDC_PUSH_UP: OnMove(SimSequenceMove::PushUp); break;
            case IDC_PUSH_DOWN: OnMove(SimSequenceMove::PushDown); break;
            case IDC_RESET: OnReset(); break;
            case IDOK: accept(); break;
            case IDCANCEL: reject(); break;
            default: break; // Reconstruction does nothing
            }
        });
    }
}

QPushButton* CDefSimSequenceDlg::Button(int id) const
{
    return findChild<QPushButton*>(QStringLiteral("ctl%1").arg(id));
}

QString CDefSimSequenceDlg::SequenceFilePath() const
{
    return UserSimSequenceFilePath(GetWorkingCopyDir(), m_planName, m_planID);
}

void CDefSimSequenceDlg::OnInitDialog()
{
    const WaitCursor wait;
    if (!LoadSequenceFile())
        BuildBatchColumns();
    SetupGrid();
    FillGrid();
    m_grid->SetCurrentCell(1, 1);
}

// False when there is no usable file: the columns are then built from the plan.
bool CDefSimSequenceDlg::LoadSequenceFile()
{
    QList<SimSequenceLine> lines;
    const SimSequenceRead read =
        ReadSimSequenceFile(SequenceFilePath(), lines, SimSequenceColumnLimit(m_planID));
    if (read == SimSequenceRead::Missing)
        return false;
    SimSequenceBuild build;
    if (read == SimSequenceRead::Unreadable || !CSimSequenceBuilder(m_planID).BuildFromLines(lines, build)) {
        QvMessageBox(QString::fromLatin1(FILE_NOT_OPENED).arg(SequenceFilePath()));
        return false;
    }
    m_layout.Reset(build.columns, build.records);
    m_messages->clear();
    return true;
}

void CDefSimSequenceDlg::BuildBatchColumns()
{
    SimSequenceBuild build = CSimSequenceBuilder(m_planID).BuildFromPlan();
    m_layout.Reset(std::move(build.columns), std::move(build.records));
    m_messages->setPlainText(SimSequenceMessageText(build.messages));
}

void CDefSimSequenceDlg::SetupGrid()
{
    m_grid->clear();
    m_grid->setRowCount(m_layout.RowCount()); // cells get items only where an operation stands
    m_grid->setColumnCount(m_layout.ColumnCount());
    m_grid->SetRowHeight(0, kHeaderRowHeight);
    m_grid->SetColWidth(0, kRowHeaderWidth);
    m_grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    for (int column = 1; column <= m_layout.ColumnCount(); ++column) {
        m_grid->SetValueRowCol(0, column, m_layout.Columns().at(column - 1).label);
        m_grid->SetStyleRange(CGridRange(0, column), CGridCellStyle().SetInterior(GRID_HEADING_COLOR));
    }
    UpdateColumnWidths();
}

void CDefSimSequenceDlg::UpdateColumnWidths()
{
    const int columns = m_layout.ColumnCount();
    m_columnWidth = columns == 0 ? kMinColumnWidth : std::max(kMinColumnWidth, (m_grid->width() - 45) / columns);
    for (int column = 1; column <= columns; ++column)
        m_grid->SetColWidth(column, m_columnWidth);
    // Narrow columns: a row with a long text is made tall.
    std::vector<bool> tall(size_t(m_layout.RowCount()) + 1, false);
    for (int column = 1; column <= columns && m_columnWidth <= kMinColumnWidth; ++column) {
        for (const SimSequenceCell& cell : m_layout.ColumnCells(column)) {
            if (m_layout.Records().at(cell.record).text.size() > 18)
                tall[size_t(cell.row)] = true;
        }
    }
    for (int row = 1; row <= m_layout.RowCount(); ++row) {
        const int height = tall[size_t(row)] ? kTallRowHeight : kRowHeight;
        if (m_grid->rowHeight(row - 1) != height)
            m_grid->SetRowHeight(row, height);
    }
}

void CDefSimSequenceDlg::FillGrid()
{
    for (int column = 1; column <= m_layout.ColumnCount(); ++column) {
        for (const SimSequenceCell& cell : m_layout.ColumnCells(column))
            SetCellText(cell.row, column);
    }
}

void CDefSimSequenceDlg::SetCellText(int row, int column)
{
    const QString text = m_layout.TextAt(row, column);
    if (text.isEmpty() && !m_grid->item(row - 1, column - 1))
        return;
    m_grid->SetValueRowCol(row, column, text);
    QTableWidgetItem* cell = m_grid->item(row - 1, column - 1);
    cell->setFlags(cell->flags() & ~Qt::ItemIsEditable);
}

bool CDefSimSequenceDlg::SelectedBlock(int& first, int& last, int& left, int& right) const
{
    const QList<QTableWidgetSelectionRange> ranges = m_grid->selectedRanges();
    if (!ranges.isEmpty()) {
        first = ranges.first().topRow() + 1;
        last = ranges.first().bottomRow() + 1;
        left = ranges.first().leftColumn() + 1;
        right = ranges.first().rightColumn() + 1;
        return true;
    }
    if (!m_grid->GetCurrentCell(&first, &left))
        return false;
    last = first;
    right = left;
    return true;
}

void CDefSimSequenceDlg::SelectBlock(int first, int last, int left, int right)
{
    m_grid->clearSelection();
    m_grid->SetCurrentCell(first, left);
    m_grid->setRangeSelected(QTableWidgetSelectionRange(first - 1, left - 1, last - 1, right - 1), true);
}

bool CDefSimSequenceDlg::OnMove(SimSequenceMove move)
{
    int first = 0, last = 0, left = 0, right = 0;
    if (!SelectedBlock(first, last, left, right)) {
        OptionBeep();
        return false;
    }
    // The filled cells of the selected columns before the move: their rows and those filled after
    // it are the only ones that can change.
    std::vector<std::vector<SimSequenceCell>> before;
    for (int column = left; column <= right; ++column)
        before.push_back(m_layout.ColumnCells(column));
    if (!m_layout.Move(move, first, last, left, right)) {
        OptionBeep();
        return false;
    }
    for (int column = left; column <= right; ++column) {
        for (const SimSequenceCell& cell : before[size_t(column - left)])
            SetCellText(cell.row, column);
        for (const SimSequenceCell& cell : m_layout.ColumnCells(column))
            SetCellText(cell.row, column);
    }
    const int by = move == SimSequenceMove::MoveUp || move == SimSequenceMove::PushUp ? -1 : 1;
    SelectBlock(first + by, last + by, left, right);
    return true;
}

void CDefSimSequenceDlg::OnReset()
{
    if (QvMessageBox(QString::fromLatin1(RESET_QUESTION), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    BuildBatchColumns();
    SetupGrid();
    FillGrid();
    m_grid->SetCurrentCell(1, 1);
}

void CDefSimSequenceDlg::accept()
{
    const WaitCursor wait;
    SimSequenceOrderFault fault;
    if (!m_layout.CheckOrder(&fault)) {
        QvMessageBox(QString::fromLatin1(fault.ending ? END_BEFORE : START_BEFORE).arg(fault.column, fault.leftNeighbour));
        return;
    }
    const QList<SimSequenceLine> lines = m_layout.Lines();
    if (const QString refusal = SimSequenceSizeRefusal(SequenceFilePath(), lines); !refusal.isEmpty()) {
        QvMessageBox(refusal);
        return;
    }
    if (!WriteSimSequenceFile(SequenceFilePath(), lines)) {
        QvMessageBox(QString::fromLatin1(FILE_NOT_OPENED).arg(SequenceFilePath()));
        return;
    }
    SetProjectModified(true); // the file is the project's: the next save writes it
    QDialog::accept();
}

void CDefSimSequenceDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    ArrangeControls();
}

// The buttons take at least the size their captions need; the grid and the messages take the rest.
QSize CDefSimSequenceDlg::ButtonSize(std::initializer_list<int> ids, int leastWidth) const
{
    QSize size(leastWidth, 23);
    for (int id : ids)
        size = size.expandedTo(Button(id)->sizeHint());
    return size;
}

void CDefSimSequenceDlg::ArrangeControls()
{
    const int w = width();
    const int h = height();
    const QSize moves = ButtonSize(
        {IDC_MOVE_UP, IDC_MOVE_DOWN, IDC_PUSH_UP, IDC_PUSH_DOWN, IDC_RESET, IDC_RECONSTRUCTION}, 88);
    const QSize closes = ButtonSize({IDOK, IDCANCEL}, 75);
    const int lower = h - 12 - moves.height();
    const int upper = lower - 5 - moves.height();
    m_grid->setGeometry(5, 5, w - 15, upper - 140);
    m_messages->setGeometry(5, upper - 130, w - 15, 120);
    const int step = moves.width() + 13;
    const struct {
        int id, x, y;
    } places[] = {{IDC_MOVE_UP, 5, lower},
                  {IDC_PUSH_UP, 5 + step, lower},
                  {IDC_RECONSTRUCTION, 5 + 2 * step, lower},
                  {IDC_MOVE_DOWN, 5, upper},
                  {IDC_PUSH_DOWN, 5 + step, upper},
                  {IDC_RESET, 5 + 2 * step, upper},
                  {IDOK, w - 8 - closes.width(), lower},
                  {IDCANCEL, w - 8 - closes.width(), upper}};
    for (const auto& place : places) {
        const bool small = place.id == IDOK || place.id == IDCANCEL;
        Button(place.id)->setGeometry(QRect(QPoint(place.x, place.y), small ? closes : moves));
    }
    UpdateColumnWidths();
}

void CDefSimSequenceDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        DisplayHelp(QStringLiteral("USERMANUAL.CHM"), kSimSequenceHelpTopic);
        return;
    }
    QDialog::keyPressEvent(event);
}

#include "RecipeEditModel.h"

#include "foundation/common/CommandIds.h"
#include "foundation/common/FavoriteOperations.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/controls/MyGXComboBox.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "recipe/transitions/RecipeKeywords.h"
#include "simulation/ScaleUpDialog.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QSettings>

namespace {
constexpr int INSERT_HEAT = 32917;

struct EditKindInfo {
    EditKind kind;
    const char* name;
    int weight;
};

// Pastes and copies most, so that copies of copies and their data pile up.
const EditKindInfo EDIT_KINDS[] = {
    {EditKind::InsertOperation, "insert operation", 10},
    {EditKind::InsertUnitProcedure, "insert unit procedure", 4},
    {EditKind::InsertFavourite, "insert favourites", 3},
    {EditKind::InsertKeyword, "insert keyword block", 6},
    {EditKind::Delete, "delete", 6},
    {EditKind::Cut, "cut", 6},
    {EditKind::Copy, "copy", 10},
    {EditKind::Paste, "paste", 14},
    {EditKind::Drag, "drag", 8},
    {EditKind::Indent, "indent", 5},
    {EditKind::Move, "move", 8},
    {EditKind::Hide, "hide", 4},
    {EditKind::Breakpoint, "breakpoint", 4},
    {EditKind::StartAfter, "start-after constraints", 5},
    {EditKind::ParallelDelay, "parallel delay", 3},
    {EditKind::EditLine, "editor OK", 5},
    {EditKind::Scale, "scale x2", 2},
    {EditKind::UndoScaling, "undo scaling", 2},
};

QPoint LineCentre(const QWidget* widget)
{
    return widget->mapToGlobal(widget->rect().center());
}

// Whether the parallel block starting at line start has two series that begin with an operation:
// only then has Parallel-Block Constraints a choice to offer.
bool OffersParallelConstraints(const CQUORVANTAView& view, int start)
{
    int depth = 0, firsts = 0;
    bool wanting = false;
    for (int index = start + 1; index < view.LineCount() && firsts < 2; ++index) {
        const RecipeLineRecord& line = view.Line(index)->line();
        if (IsBlockStart(line.typeText)) {
            ++depth;
        } else if (IsBlockEnd(line.typeText)) {
            if (depth-- == 0)
                break;
        } else if (depth == 0 && IsRecipeType(line.typeText, SERIES_KEYWORD)) {
            wanting = true;
        } else if (wanting && line.kind == RECIPE_LINE_OPERATION) {
            ++firsts;
            wanting = false;
        }
    }
    return firsts >= 2;
}

// The lines Parallel-Block Constraints acts on: the start of a parallel block that offers a choice
// and the operations inside one.
QList<int> ParallelBlockLines(const CQUORVANTAView& view)
{
    QList<int> lines;
    QList<bool> open; // per open block, whether it is a parallel one that offers a choice
    for (int index = 0; index < view.LineCount(); ++index) {
        const RecipeLineRecord& line = view.Line(index)->line();
        if (IsBlockStart(line.typeText)) {
            open << (IsRecipeType(line.typeText, START_PARALLEL) && OffersParallelConstraints(view, index));
            if (open.last())
                lines << index;
        } else if (IsBlockEnd(line.typeText)) {
            if (!open.isEmpty())
                open.removeLast();
        } else if (line.kind == RECIPE_LINE_OPERATION && !open.isEmpty() && open.last()) {
            lines << index;
        }
    }
    return lines;
}

// The line the edit selects first: for a parallel delay one it can act on, if there is one.
int FirstLine(const CQUORVANTAView& view, const RecipeEdit& edit)
{
    if (edit.kind == EditKind::ParallelDelay) {
        const QList<int> lines = ParallelBlockLines(view);
        if (!lines.isEmpty())
            return lines.at(qsizetype(edit.line % quint32(lines.size())));
    }
    return int(edit.line % quint32(view.LineCount()));
}

bool SelectsSeveral(EditKind kind)
{
    return kind == EditKind::Copy || kind == EditKind::Cut || kind == EditKind::Delete ||
           kind == EditKind::Indent || kind == EditKind::Hide || kind == EditKind::Breakpoint;
}
} // namespace

QList<RecipeEdit> RandomEdits(quint32 seed, int count)
{
    QRandomGenerator random(seed);
    int total = 0;
    for (const EditKindInfo& info : EDIT_KINDS)
        total += info.weight;
    QList<RecipeEdit> edits;
    for (int n = 0; n < count; ++n) {
        int pick = random.bounded(total);
        const EditKindInfo* info = EDIT_KINDS;
        while (pick >= info->weight)
            pick -= (info++)->weight;
        edits.append({info->kind, random.generate(), random.generate()});
    }
    return edits;
}

QString Describe(const RecipeEdit& edit)
{
    for (const EditKindInfo& info : EDIT_KINDS) {
        if (info.kind == edit.kind)
            return QStringLiteral("%1 at line %2 (choice %3)")
                .arg(QLatin1String(info.name))
                .arg(edit.line)
                .arg(edit.choice, 8, 16, QLatin1Char('0'));
    }
    return {};
}

void EditTally::Add(EditKind kind, bool changed)
{
    auto& [run, effective] = m_byKind[kind];
    ++run;
    effective += changed;
}

int EditTally::Attempted() const
{
    int total = 0;
    for (const auto& [kind, counts] : m_byKind)
        total += counts.first;
    return total;
}

int EditTally::Effective() const
{
    int total = 0;
    for (const auto& [kind, counts] : m_byKind)
        total += counts.second;
    return total;
}

QString EditTally::Report() const
{
    QStringList parts;
    for (const EditKindInfo& info : EDIT_KINDS) {
        const auto counts = m_byKind.find(info.kind);
        if (counts != m_byKind.end())
            parts << QStringLiteral("%1 %2/%3").arg(QLatin1String(info.name)).arg(counts->second.second).arg(counts->second.first);
    }
    return parts.join(QStringLiteral(", "));
}

QStringList EditTally::NeverEffective() const
{
    QStringList kinds;
    for (const EditKindInfo& info : EDIT_KINDS) {
        const auto counts = m_byKind.find(info.kind);
        if (info.kind != EditKind::Copy && (counts == m_byKind.end() || counts->second.second == 0))
            kinds << QLatin1String(info.name);
    }
    return kinds;
}

int AnsweringPrompts::prompt(const QString& text, unsigned flags, const QString&)
{
    texts << text;
    const unsigned type = flags & MB_TYPEMASK;
    if (type == MB_YESNO || type == MB_YESNOCANCEL)
        return sayNo ? IDNO : IDYES;
    return IDOK;
}

// Cancel, or OK after a change: the candidates whose bits are set, else (when those are the
// current ones) one of them taken in or out.
std::optional<QList<ConstraintChoice>>
ChoosingConstraintDialogs::AskConstraints(const QString&, const QList<ConstraintChoice>& candidates,
                                          const QList<ConstraintChoice>& current, const QStringList&)
{
    ++asked;
    if ((choice & 3) == 0)
        return std::nullopt;
    QList<ConstraintChoice> chosen;
    const auto pick = [&chosen, &candidates](qsizetype n) {
        chosen << candidates[n];
        std::tie(chosen.last().delay, chosen.last().delayUOM) = std::pair(double(n), QStringLiteral("min"));
    };
    for (qsizetype n = 0; n < candidates.size(); ++n) {
        if (choice & (4u << (n % 8)))
            pick(n);
    }
    if (chosen == current && !candidates.isEmpty()) {
        const qsizetype toggled = qsizetype((choice >> 10) % quint32(candidates.size()));
        const long item = candidates[toggled].itemID;
        if (chosen.removeIf([item](const ConstraintChoice& c) { return c.itemID == item; }) == 0)
            pick(toggled);
    }
    return chosen;
}

std::optional<QString> WritingOperationEditor::InvokeOperationEditor(long stepID, long operationID,
                                                                     QString* comments)
{
    const QString text = QStringLiteral("Edited %1 time(s).").arg(++edits);
    *comments = QStringLiteral("Checked.");
    CDaoDatabase* step = GetStepDatabase(stepID);
    CDaoTransaction transaction(*step);
    step->Execute("UPDATE Operation SET RecipeText = ?, UserComments = ? WHERE OperationID = ?",
                  {text, *comments, qlonglong(operationID)});
    step->Execute("UPDATE TblFieldData SET DoubleValue = DoubleValue + 1 WHERE FieldID = (SELECT f.FieldID"
                  " FROM TblFieldData f JOIN TblGroupData g USING (GroupID) WHERE g.OperationID = ?"
                  " AND f.DoubleValue < 1e30 ORDER BY f.FieldID LIMIT 1)",
                  {qlonglong(operationID)});
    transaction.Commit();
    return text;
}

void ActiveContext::ReportActive(CommandTarget* source, const ContextRecord& selection)
{
    m_source = source;
    m_context = selection;
}

void ActiveContext::ReportSelection(CommandTarget* source, const ContextRecord& selection)
{
    if (source == m_source)
        m_context = selection;
}

void ActiveContext::ForgetSource(CommandTarget* source)
{
    if (source != m_source)
        return;
    m_source = nullptr;
    m_context = {};
}

int AnsweringScaling::RunStepDialog(CScaleUpDialog& dialog)
{
    ++dialogs;
    dialog.OnInitDialog();
    const auto click = [&dialog](int id) { static_cast<QAbstractButton*>(dialog.Control(id))->click(); };
    if (undo) {
        click(3);
    } else {
        click(1168); // "To ... times the current batch size."
        static_cast<QLineEdit*>(dialog.Control(1170))->setText(QStringLiteral("2"));
        const QComboBox* offered = dialog.Grid()->GetRegisteredControl(2012);
        if ((choice & 3) == 0 && offered && offered->count() > 0)
            dialog.Grid()->SetValueRowCol(1, 1,
                                          offered->itemText(int((choice >> 2) % quint32(offered->count()))));
        click(1);
    }
    if (dialog.result() != QDialog::Accepted)
        click(2);
    return dialog.result();
}

RecipeEditDriver::RecipeEditDriver(ServiceInstallations& installed, ScriptedOperationDialogs& dialogs)
    : m_dialogs(dialogs)
{
    installed.Install<RecipeClipboard>(&clipboard);
    installed.Install<CRecipeLineDrag>(&drag);
    installed.Install<ConstraintDialogService>(&constraints);
    installed.Install<OperationEditorService>(&editor);
    m_installed.Install<SelectionService>(&context);
    m_installed.Install<EngineFactory>(&engines);
}

void RecipeEditDriver::UseFavourites(const QString& folder)
{
    const QString path = folder + "favourites.fop";
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write("Heat and cool\r\n26\r\n25");
    file.close();
    GetAppContext()->profile()->setValue("Favorite Operations 2/Path", path);
    GetFavoriteOperationsName(1, 1);
}

void RecipeEditDriver::SetInsertAfter(CQUORVANTAView& view, bool after)
{
    CRecipeWindows::Installed()->ApplyInsertMode(after, !after);
    for (CQUORVANTAView* open : CRecipeWindows::Views())
        open->OnActivateView(false);
    view.OnActivateView(true);
}

void RecipeEditDriver::Scale(bool undo, quint32 choice)
{
    const ContextRecord& active = context.CurrentContext();
    if (active.kind != CONTEXT_TEXT_RECIPE || active.stepID == -1)
        return; // the command is disabled
    scaling.undo = undo;
    scaling.choice = choice;
    if (scaling.ScaleRecipe(active, {}).scaled)
        ++scaling.scaled;
}

void RecipeEditDriver::Select(CQUORVANTAView& view, const RecipeEdit& edit)
{
    SetInsertAfter(view, edit.choice & 1);
    const int count = view.LineCount();
    if (count == 0)
        return;
    const int first = FirstLine(view, edit);
    view.OnLineClicked(view.Line(first), false);
    const int more = SelectsSeveral(edit.kind) ? int((edit.choice >> 4) % 4) : 0;
    for (int n = 1; n <= more && n < 3 && first + n < count; ++n)
        view.OnLineClicked(view.Line(first + n), true);
}

void RecipeEditDriver::Command(CQUORVANTAView& view, int commandID)
{
    if (view.IsCommandEnabled(commandID))
        view.OnCommand(commandID);
}

void RecipeEditDriver::DragLine(CQUORVANTAView& view, const RecipeEdit& edit)
{
    const int count = view.LineCount();
    if (count < 2)
        return;
    const int from = int(edit.line % quint32(count));
    const int to = qBound(0, from + int((edit.choice >> 4) % 17) - 8, count - 1);
    if (to == from)
        return;
    view.ScrollLineIntoView(to);
    QCoreApplication::processEvents();
    CRecipeButton* source = view.Line(from);
    CRecipeButton* target = view.Line(to);
    if (!view.viewport()->rect().contains(view.viewport()->mapFromGlobal(LineCentre(target))))
        return;
    drag.Arm(source, LineCentre(source));
    drag.Move(LineCentre(target), false);
    if (drag.IsDragging())
        drag.Release(LineCentre(target));
    else
        drag.Cancel();
}

void RecipeEditDriver::Apply(CQUORVANTAView& view, const RecipeEdit& edit)
{
    Select(view, edit);
    answers.sayNo = (edit.choice & 0x300) == 0x300;
    constraints.choice = edit.choice >> 10;
    const QString name = QStringLiteral("Item %1").arg(++m_names);
    for (int n = 0; n < 3; ++n)
        m_dialogs.answer(name);
    m_dialogs.edits.push_back(UnitProcedureEditInput{name, -1, QStringLiteral("Renamed.")});
    const bool second = edit.choice & 2;
    switch (edit.kind) {
    case EditKind::InsertOperation:
        Command(view, INSERT_HEAT);
        break;
    case EditKind::InsertUnitProcedure:
        Command(view, ID_INSERT_UNIT_PROCEDURE);
        break;
    case EditKind::InsertFavourite:
        Command(view, ID_FAVORITES_2);
        break;
    case EditKind::InsertKeyword: {
        const int keywords[] = {ID_INSERT_PARALLEL, ID_INSERT_OR, ID_INSERT_SERIES};
        Command(view, keywords[(edit.choice >> 2) % 3]);
        break;
    }
    case EditKind::Delete:
        Command(view, ID_EDIT_DELETE);
        break;
    case EditKind::Cut:
        Command(view, ID_EDIT_CUT);
        break;
    case EditKind::Copy:
        Command(view, ID_EDIT_COPY);
        break;
    case EditKind::Paste:
        Command(view, ID_EDIT_PASTE);
        break;
    case EditKind::Drag:
        DragLine(view, edit);
        break;
    case EditKind::Indent:
        Command(view, second ? ID_INDENT_LEFT : ID_INDENT_RIGHT);
        break;
    case EditKind::Move:
        Command(view, second ? ID_MOVE_UP : ID_MOVE_DOWN);
        break;
    case EditKind::Hide:
        Command(view, ID_TOGGLE_HIDE);
        break;
    case EditKind::Breakpoint:
        Command(view, (edit.choice & 0xC) == 0 ? ID_REMOVE_ALL_BREAKPOINTS : ID_TOGGLE_BREAKPOINT);
        break;
    case EditKind::StartAfter:
        Command(view, ID_INSERT_START_AFTER);
        break;
    case EditKind::ParallelDelay:
        Command(view, ID_INSERT_DELAY_IN_PARALLEL);
        break;
    case EditKind::EditLine:
        Command(view, ID_EDIT_SELECTION);
        break;
    case EditKind::Scale:
    case EditKind::UndoScaling:
        Scale(edit.kind == EditKind::UndoScaling, edit.choice >> 16);
        break;
    }
    m_dialogs.answers.clear();
    m_dialogs.edits.clear();
}

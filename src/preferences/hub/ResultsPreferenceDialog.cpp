#include "preferences/hub/ResultsPreferenceDialog.h"

#include "foundation/common/HelpService.h"
#include "foundation/common/LeadingNumber.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/ParseDouble.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/controls/MyGXEdit.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/controls/SortedChoiceLists.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/project/PreferResultRoundingSet.h"
#include "foundation/db/project/TextRecipeOptionsSet.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {
constexpr long RESULTS_HELP_TOPIC = 30000;
constexpr int MIN_ROUNDING_ROWS = 10;
constexpr int TO_EDIT_ID = 2116;
constexpr double NO_UPPER_END = 1e35;
enum RoundingColumn { FROM_COL = 1, TO_COL = 2, TYPE_COL = 3, PRECISION_COL = 4 };

QPushButton* roundingButton(QWidget* parent, QHBoxLayout* row, const char* text, int id)
{
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setObjectName(QString::number(id));
    row->addWidget(button);
    return button;
}

// 1: on, 0: off, -1: the options cannot be read.
int roundValuesState()
{
    CTextRecipeOptionsSet options;
    if (!options.OpenSet())
        return -1;
    for (; !options.IsEOF(); options.MoveNext()) {
        if (options.GetText(QStringLiteral("Options")).compare(QLatin1String("RoundValues"), Qt::CaseInsensitive) == 0)
            return options.GetLong(QStringLiteral("Value")) != 0 ? 1 : 0;
    }
    return 0;
}

long storedRuleCount()
{
    CPreferResultRoundingSet set;
    return set.OpenSet() ? set.GetRecordCount() : 0;
}
} // namespace

CResultsPreferenceDialog::CResultsPreferenceDialog(QWidget* parent) : QDialog(parent), m_grid(new CObjectGridWnd(this))
{
    setObjectName(QStringLiteral("9997"));
    setWindowTitle(QStringLiteral("Results"));
    m_grid->setObjectName(QStringLiteral("1172"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addWidget(new QLabel(QStringLiteral("Negative results use above rounding rules"), this));
    auto* row = new QHBoxLayout;
    m_update = roundingButton(this, row, "&Update Text Recipe", 3);
    m_ok = roundingButton(this, row, "OK", 1);
    QPushButton* cancel = roundingButton(this, row, "Cancel", 2);
    QPushButton* help = roundingButton(this, row, "Help", 9);
    layout->addLayout(row);
    connect(m_update, &QPushButton::clicked, this, &CResultsPreferenceDialog::OnUpdateTextRecipe);
    connect(m_ok, &QPushButton::clicked, this, &CResultsPreferenceDialog::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, &CResultsPreferenceDialog::OnHelp);
    resize(470, 360);
    OnInitDialog();
}

CResultsPreferenceDialog::~CResultsPreferenceDialog() = default;

QPushButton* CResultsPreferenceDialog::button(int id) const
{
    return findChild<QPushButton*>(QString::number(id));
}

bool CResultsPreferenceDialog::OnInitDialog()
{
    const int roundValues = roundValuesState();
    m_gridSet = roundValues >= 0;
    m_ok->setEnabled(m_gridSet);
    m_update->setEnabled(m_gridSet);
    if (!m_gridSet)
        return false;
    m_update->setVisible(roundValues == 1);
    WaitCursor wait;
    SetUpGrid(std::max<int>(MIN_ROUNDING_ROWS, int(storedRuleCount())));
    LoadRules();
    m_grid->SetCurrentCell(1, 1);
    return true;
}

void CResultsPreferenceDialog::SetUpGrid(int rows)
{
    m_grid->Initialize();
    m_grid->SetRowCount(rows);
    m_grid->SetColCount(4);
    const char* headers[] = {"Interval", "From", "To", "Type", "Precision"};
    for (int col = 1; col <= 4; ++col)
        m_grid->SetValueRowCol(0, col, QString::fromLatin1(headers[col]));
    for (int row = 1; row <= rows; ++row) {
        m_grid->SetValueRowCol(row, 0, QString::number(row));
        m_grid->SetRowHeight(row, 21);
    }
    m_grid->SetStyleRange(CGridRange(1, FROM_COL, rows, FROM_COL),
                          CGridCellStyle().SetControl(GRID_CTRL_STATIC).SetReadOnly(true).SetInterior(GRID_READONLY_COLOR));
    m_grid->SetStyleRange(CGridRange(1, TO_COL, rows, TO_COL), CGridCellStyle().SetControl(GRID_CTRL_EDIT));
    QString types;
    SortChoiceList(types, QStringLiteral("Decimal Place\nSignificant Digits"));
    m_grid->SetStyleRange(CGridRange(1, TYPE_COL, rows, TYPE_COL),
                          CGridCellStyle().SetControl(GRID_CTRL_DROPDOWNLIST).SetChoiceList(types));
    m_grid->SetStyleRange(CGridRange(1, PRECISION_COL, rows, PRECISION_COL), CGridCellStyle().SetControl(GRID_CTRL_EDIT));
    m_grid->SetValueRowCol(1, FROM_COL, QStringLiteral("0"));
    m_toEdit = std::make_unique<CMyGXEdit>(m_grid, TO_EDIT_ID, TO_COL);
    m_toEdit->SetRowLimit(rows);
    // Before the first layout the grid is narrower than one unit; its columns still take their widths.
    const int unit = std::max(1, m_grid->width() / 429);
    const int widths[] = {20, 93, 93, 98, 98};
    for (int col = 1; col <= 4; ++col)
        m_grid->SetColWidth(col, widths[col] * unit);
}

void CResultsPreferenceDialog::LoadRules()
{
    CPreferResultRoundingSet set;
    if (!set.OpenSet())
        return;
    for (int row = 1; !set.IsEOF() && row <= m_grid->GetRowCount(); set.MoveNext(), ++row) {
        const double upper = set.GetDouble(QStringLiteral("UpperLimit"));
        m_grid->SetValueRowCol(row, TO_COL, upper >= NO_UPPER_END ? QString() : QString::number(upper, 'g', 15));
        m_grid->SetValueRowCol(row, TYPE_COL, set.GetText(QStringLiteral("Type")));
        m_grid->SetValueRowCol(row, PRECISION_COL, QString::number(set.GetLong(QStringLiteral("Precision"))));
    }
}

QString CResultsPreferenceDialog::Cell(int row, int col) const
{
    return m_grid->GetValueRowCol(row, col);
}

void CResultsPreferenceDialog::OnHelp()
{
    DisplayHelp(GetHelpFileName(), RESULTS_HELP_TOPIC);
}

void CResultsPreferenceDialog::OnOK()
{
    if (!ValidateAndSaveRoundingRules())
        return;
    m_bSaved = true;
    done(Accepted);
}

void CResultsPreferenceDialog::OnUpdateTextRecipe()
{
    if (!ValidateAndSaveRoundingRules())
        return;
    if (RecipeTextRegeneration* regeneration = ServiceSlot<RecipeTextRegeneration>::Get())
        regeneration->UpdateRecipeTextOfAllSteps();
}

// The message of the first rule the row breaks, empty when it passes or has no "To".
QString CResultsPreferenceDialog::RowError(int row) const
{
    if (Cell(row, TO_COL).isEmpty())
        return QString();
    const double to = LeadingDouble(Cell(row, TO_COL));
    if (!IsStorableNumber(to)) // it would read back as the open end
        return QString::fromLatin1(NUMBER_PROMPT_TEXT);
    const double from = LeadingDouble(Cell(row, FROM_COL));
    if (Cell(row, FROM_COL).isEmpty())
        return QString::asprintf("Entries must be in successive order. Please remove data from row %d or enter a "
                                 "\"To\" value in row %d.",
                                 row, row - 1);
    if (from >= to)
        return QString::asprintf("The \"To\" value is smaller than the \"From\" value in row %d.", row);
    if (Cell(row, TYPE_COL).isEmpty())
        return QString::asprintf("Specify a Type in row %d.", row);
    if (Cell(row, PRECISION_COL).isEmpty())
        return QString::asprintf("Specify a Precision in row %d.", row);
    if (Cell(row, TYPE_COL) == QLatin1String("Significant Digits") && LeadingDouble(Cell(row, PRECISION_COL)) < 1)
        return QString::asprintf("Significant digit precision in row %d must be positive.", row);
    return QString();
}

bool CResultsPreferenceDialog::ValidateAndSaveRoundingRules()
{
    WaitCursor wait;
    if (!m_gridSet || !DDV_GXGridWnd(m_grid))
        return false;
    for (int row = 1; row <= m_grid->GetRowCount(); ++row) {
        const QString error = RowError(row);
        if (!error.isEmpty()) {
            QvMessageBox(error);
            return false;
        }
    }
    return SaveRoundingRules();
}

bool CResultsPreferenceDialog::SaveRoundingRules()
{
    CPreferResultRoundingSet set;
    if (!set.OpenSet())
        return false;
    CDaoDatabase& db = *set.GetDatabase();
    set.CloseSet();
    try {
        WriteRules(db);
        return true;
    } catch (const CDaoException& e) {
        QvMessageBox(e.GetErrorDescription());
        return false;
    }
}

// The grid's complete rows replace the stored rules, in one transaction.
void CResultsPreferenceDialog::WriteRules(CDaoDatabase& db)
{
    CDaoTransaction transaction(db);
    db.Execute(QStringLiteral("DELETE FROM [PREFER-ResultRounding]"));
    for (int row = 1; row <= m_grid->GetRowCount(); ++row) {
        if (Cell(row, TYPE_COL).isEmpty() || Cell(row, PRECISION_COL).isEmpty())
            continue;
        const double upper = Cell(row, TO_COL).isEmpty() ? NO_UPPER_END : LeadingDouble(Cell(row, TO_COL));
        db.Execute(QStringLiteral("INSERT INTO [PREFER-ResultRounding] (UpperLimit, Type, Precision) VALUES (?, ?, ?)"),
                   {upper, Cell(row, TYPE_COL), qlonglong(LeadingLong(Cell(row, PRECISION_COL)))});
    }
    transaction.Commit();
}

#include "preferences/emissions/MaxEmissionModelPreferenceTab.h"

#include "foundation/common/HelpService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/controls/SortedChoiceLists.h"
#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/project/PreferMaxEmissionSet.h"
#include "preferences/emissions/EmissionPageActivation.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QSqlQuery>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const char* const WORST_CASE_OPEN_FAILED = "Can't open PREFER-MaximumEmissions table for saving";

} // namespace

CMaxEmissionModelPreferenceTab::CMaxEmissionModelPreferenceTab(QWidget* parent) : CEmissionSheetPage(parent)
{
    setWindowTitle(QStringLiteral("Worst Case Emissions"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Please select an air emission model."), this));
    m_modelCombo = new QComboBox(this);
    layout->addWidget(m_modelCombo);
    auto* group = new QGroupBox(QStringLiteral(" Please select worst case emission status. "), this);
    auto* groupLayout = new QVBoxLayout(group);
    m_grid = new CObjectGridWnd(group);
    groupLayout->addWidget(m_grid);
    layout->addWidget(group);
    resize(552, 396);
    FillModelCombo();
    m_grid->Initialize();
    m_loaded = LoadStatuses();
    if (m_loaded) {
        LayOutGrid();
        m_shownModel = m_modelCombo->count() > 0 ? long(m_modelCombo->itemData(0).toLongLong()) : -1;
        m_modelCombo->setCurrentIndex(m_modelCombo->count() > 0 ? 0 : -1);
        ShowModelParameters(m_shownModel);
    }
    SortComboBox(m_modelCombo);
    connect(m_modelCombo, qOverload<int>(&QComboBox::activated), this, [this] { OnSelChangeModel(); });
}

// Every emission model of the library once, by id.
void CMaxEmissionModelPreferenceTab::FillModelCombo()
{
    try {
        CDaoDatabase* project = GetProjectDatabase();
        if (!project || !project->IsOpen())
            throw CDaoException(QStringLiteral("Database file is not opened yet!"));
        QSqlQuery models = project->Query(QStringLiteral(
            "SELECT ModelTypeID, MIN(ModelName) FROM ModelLibrary WHERE ModelKind = 1 GROUP BY ModelTypeID "
            "ORDER BY ModelTypeID"));
        while (models.next())
            m_modelCombo->addItem(models.value(1).toString(), models.value(0).toLongLong());
    } catch (const CDaoException&) {
        QvMessageBox(QStringLiteral("Can't open query model record set to populate model combo box!"));
    }
}

// Every model's rows, grouped by model id whatever the id (0 included) and however many.
bool CMaxEmissionModelPreferenceTab::LoadStatuses()
{
    CPreferMaxEmissionSet statuses;
    if (!statuses.OpenSet(-1)) {
        QvMessageBox(QString::fromLatin1(WORST_CASE_OPEN_FAILED));
        return false;
    }
    for (; !statuses.IsEOF(); statuses.MoveNext()) {
        const QString value = statuses.GetText(QStringLiteral("Value"));
        m_models[statuses.GetLong(QStringLiteral("AirEmissionModelID"))].append(
            {statuses.GetText(QStringLiteral("Parameter")), value, value});
    }
    statuses.CloseSet();
    return true;
}

void CMaxEmissionModelPreferenceTab::LayOutGrid()
{
    m_grid->SetRowCount(MIN_ROWS);
    m_grid->SetColCount(2);
    SizeColumns();
    m_grid->installEventFilter(this);
    m_grid->SetStyleRange(CGridRange(0, 1), CGridCellStyle()
                                                .SetValue(QStringLiteral("Parameter"))
                                                .SetInterior(GRID_HEADING_COLOR)
                                                .SetEnabled(false));
    m_grid->SetStyleRange(CGridRange(0, 2), CGridCellStyle()
                                                .SetValue(QStringLiteral("Status"))
                                                .SetInterior(GRID_HEADING_COLOR)
                                                .SetEnabled(false));
}

// 230 and 133 parts of 384 of the grid's width.
void CMaxEmissionModelPreferenceTab::SizeColumns()
{
    const float width = float(m_grid->width());
    m_grid->SetColWidth(0, 0);
    m_grid->SetColWidth(1, int(width / 384.0f * 230.0f));
    m_grid->SetColWidth(2, int(width / 384.0f * 133.0f));
}

bool CMaxEmissionModelPreferenceTab::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid && event->type() == QEvent::Resize)
        SizeColumns();
    return CEmissionSheetPage::eventFilter(watched, event);
}

// The model's parameters with their statuses; the rows below are empty, their status cells silver
// and disabled. The grid has at least five rows and one for every parameter.
void CMaxEmissionModelPreferenceTab::ShowModelParameters(long modelID)
{
    m_shownModel = modelID;
    const QList<Parameter> parameters = m_models.value(modelID);
    const int rows = std::max<int>(MIN_ROWS, int(parameters.size()));
    m_grid->SetRowCount(rows);
    QString statuses;
    SortChoiceList(statuses, QStringLiteral("Maximum\nMinimum\nTarget"));
    for (int row = 1; row <= rows; ++row) {
        m_grid->SetRowHeight(row, 21);
        const bool shown = row <= parameters.size();
        m_grid->SetStyleRange(CGridRange(row, 1), CGridCellStyle()
                                                      .SetControl(GRID_CTRL_STATIC)
                                                      .SetValue(shown ? parameters.at(row - 1).name : QString())
                                                      .SetInterior(GRID_READONLY_COLOR)
                                                      .SetReadOnly(true)
                                                      .SetEnabled(false));
        m_grid->SetStyleRange(CGridRange(row, 2), CGridCellStyle()
                                                      .SetControl(GRID_CTRL_DROPDOWNLIST)
                                                      .SetChoiceList(statuses)
                                                      .SetValue(shown ? parameters.at(row - 1).status : QString())
                                                      .SetInterior(shown ? QColor(Qt::white) : GRID_READONLY_COLOR)
                                                      .SetReadOnly(!shown)
                                                      .SetEnabled(shown));
    }
}

// The shown model's statuses as the grid holds them; a blank one is recorded as missing.
void CMaxEmissionModelPreferenceTab::ReadGrid()
{
    m_missingRow = 0;
    if (!m_models.contains(m_shownModel))
        return;
    QList<Parameter>& parameters = m_models[m_shownModel];
    for (int row = 1; row <= parameters.size(); ++row) {
        const QString text = m_grid->GetValueRowCol(row, 2).trimmed();
        if (text.isEmpty())
            m_missingRow = row;
        else
            parameters[row - 1].status = text;
    }
}

bool CMaxEmissionModelPreferenceTab::CheckWorstCaseStatus()
{
    if (m_missingRow == 0)
        return true;
    ActivateSheetPage(this);
    QvMessageBox(QStringLiteral("Please select the status !"));
    m_grid->setFocus();
    m_grid->SetCurrentCell(m_missingRow, 2);
    return false;
}

void CMaxEmissionModelPreferenceTab::OnSelChangeModel()
{
    const long selected = m_modelCombo->currentIndex() < 0 ? -1 : long(m_modelCombo->currentData().toLongLong());
    if (!m_grid->UpdateData(true)) {
        SelectModelInCombo(m_shownModel);
        return;
    }
    ReadGrid();
    if (!CheckWorstCaseStatus()) {
        SelectModelInCombo(m_shownModel);
        return;
    }
    ShowModelParameters(selected);
    m_modelCombo->setFocus();
}

void CMaxEmissionModelPreferenceTab::SelectModelInCombo(long modelID)
{
    m_modelCombo->setCurrentIndex(m_modelCombo->findData(qlonglong(modelID)));
}

bool CMaxEmissionModelPreferenceTab::OnKillActive()
{
    return CheckEntries();
}

bool CMaxEmissionModelPreferenceTab::CheckEntries()
{
    if (!m_loaded)
        return true;
    if (!m_grid->UpdateData(true))
        return false;
    ReadGrid();
    return CheckWorstCaseStatus();
}

// One statement sets the Value of every changed (model, parameter) row.
bool CMaxEmissionModelPreferenceTab::WritePage(CDaoDatabase& project)
{
    if (!m_loaded)
        return false;
    ReadGrid();
    QList<QVariantList> changed;
    for (auto model = m_models.cbegin(); model != m_models.cend(); ++model) {
        for (const Parameter& parameter : model.value()) {
            if (parameter.status != parameter.stored)
                changed << QVariantList{qlonglong(model.key()), parameter.name, parameter.status};
        }
    }
    if (changed.isEmpty())
        return false;
    ExecKept(project, QStringLiteral("PREFER-MaximumEmissions"),
             QStringLiteral("UPDATE \"PREFER-MaximumEmissions\" SET Value = r.value ->> 2 FROM json_each(?) AS r"
                            " WHERE AirEmissionModelID = r.value ->> 0 AND Parameter = r.value ->> 1"),
             {JsonRows(changed)});
    return true;
}

void CMaxEmissionModelPreferenceTab::OnHelp()
{
    DisplayHelp(GetHelpFileName(), HELP_TOPIC);
}

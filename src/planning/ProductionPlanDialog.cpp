#include "planning/ProductionPlanDialog.h"

#include "foundation/common/HelpService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/NameCheck.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/controls/ControlHelpers.h"
#include "foundation/controls/MyGXComboBox.h"
#include "foundation/controls/QVGridWnd.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace {
constexpr long PLAN_DIALOG_HELP_TOPIC = 191;
const QString ENTER_PLAN_DATE = QStringLiteral("Please enter a valid date/time such as 4/11/97 12:27:46 PM! ");

template <typename Control> Control* NamedControl(Control* control, int id)
{
    control->setObjectName(QString::number(id));
    return control;
}

QPushButton* PlanButton(const QString& text, int id, QWidget* parent)
{
    return NamedControl(new QPushButton(text, parent), id);
}
} // namespace

CProductionPlanDialog::CProductionPlanDialog(long planID, QWidget* parent) : QDialog(parent), m_planID(planID)
{
    setObjectName(QStringLiteral("255"));
    setWindowTitle(QStringLiteral("Production Plan"));
    BuildControls();
}

CProductionPlanDialog::~CProductionPlanDialog() = default;

void CProductionPlanDialog::BuildControls()
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildHeader());
    m_grid = NamedControl(new CQVGridWnd(this), 1407);
    m_grid->setAccessibleName(QStringLiteral("Edit Production Plan Grid"));
    layout->addWidget(m_grid, 1);
    auto* gridButtons = new QHBoxLayout;
    QPushButton* import = PlanButton(QStringLiteral("Import Plan"), 1412, this);
    QPushButton* exportButton = PlanButton(QStringLiteral("Export Plan"), 1413, this);
    gridButtons->addWidget(import);
    gridButtons->addWidget(exportButton);
    gridButtons->addStretch();
    layout->addLayout(gridButtons);
    auto* lower = new QHBoxLayout;
    lower->addWidget(BuildSharedEquipmentGroup(), 1);
    lower->addWidget(BuildNotes(), 1);
    layout->addLayout(lower);
    auto* buttons = new QDialogButtonBox(this);
    m_okButton = NamedControl(buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole), 1);
    QPushButton* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("2"));
    layout->addWidget(buttons);
    connect(import, &QPushButton::clicked, this, &CProductionPlanDialog::OnImportPlan);
    connect(exportButton, &QPushButton::clicked, this, &CProductionPlanDialog::OnExportPlan);
    connect(m_okButton, &QPushButton::clicked, this, &CProductionPlanDialog::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this,
            &CProductionPlanDialog::OnCommandHelp);
    resize(960, 640);
}

QWidget* CProductionPlanDialog::BuildHeader()
{
    auto* header = new QWidget(this);
    auto* form = new QFormLayout(header);
    form->setContentsMargins(0, 0, 0, 0);
    m_nameEdit = NamedControl(new QLineEdit(header), 1045);
    m_startEdit = NamedControl(new QLineEdit(header), 1046);
    m_outputSetCombo = NamedControl(new QComboBox(header), 1181);
    form->addRow(QStringLiteral("Production Plan Name:"), m_nameEdit);
    form->addRow(QStringLiteral("Start Date Time:"), m_startEdit);
    form->addRow(QStringLiteral("Output Unit of Measure Set:"), m_outputSetCombo);
    return header;
}

QWidget* CProductionPlanDialog::BuildSharedEquipmentGroup()
{
    auto* group = new QGroupBox(QStringLiteral("Shared-Exclusive Equipment"), this);
    auto* form = new QFormLayout(group);
    m_facilityCombo = NamedControl(new QComboBox(group), 1179);
    m_equipmentList = NamedControl(new QListWidget(group), 1034);
    m_equipmentList->setSelectionMode(QAbstractItemView::MultiSelection);
    form->addRow(QStringLiteral("Facility:"), m_facilityCombo);
    form->addRow(QStringLiteral("Equipment:"), m_equipmentList);
    connect(m_facilityCombo, &QComboBox::activated, this, &CProductionPlanDialog::OnSelChangeFacility);
    return group;
}

QWidget* CProductionPlanDialog::BuildNotes()
{
    auto* group = new QGroupBox(QStringLiteral("Note"), this);
    auto* layout = new QVBoxLayout(group);
    for (const char* note :
         {"Campaign Overlap: Whether or not current campaign overlaps with previous campaign",
          "Batch Overlap: Whether or not Step batches belonging to current campaign overlap each other",
          "Time Interval: The frequency at which batches start in a campaign",
          "A campaign represents a row in the production plan."}) {
        auto* label = new QLabel(QString::fromLatin1(note), group);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    layout->addStretch();
    return group;
}

void CProductionPlanDialog::OnCommandHelp()
{
    DisplayHelp(GetHelpFileName(), PLAN_DIALOG_HELP_TOPIC);
}

// ---- OK

void CProductionPlanDialog::OnOK()
{
    if (!m_loadComplete || !m_grid->UpdateData(true) || !CheckHeader() || !CheckRows())
        return;
    ReadEquipmentSelection();
    if (SavePlan())
        accept();
}

// The start, the name and the output set, as the data exchange and OK check them.
bool CProductionPlanDialog::CheckHeader()
{
    const QDateTime start = CQVGridWnd::ReadPlanDateTime(m_startEdit->text());
    if (!start.isValid()) {
        ShowErrorAndSelectAll(m_startEdit, ENTER_PLAN_DATE);
        return false;
    }
    m_start = start;
    QString name = m_nameEdit->text().trimmed();
    m_nameEdit->setText(name);
    if (name.isEmpty()) {
        ShowErrorAndSelectAll(m_nameEdit, QStringLiteral("Please enter Production Plan Name!"));
        return false;
    }
    if (IsInvalidName(name)) {
        m_nameEdit->setFocus();
        m_nameEdit->selectAll();
        return false;
    }
    m_outputUOMSetID = m_outputSetCombo->currentIndex() < 0 ? -1 : long(m_outputSetCombo->currentData().toLongLong());
    if (m_outputUOMSetID == -1) {
        ShowErrorAndFocus(m_outputSetCombo, QStringLiteral("Please select an Output Unit of Measure Set for the Plan!"));
        return false;
    }
    return true;
}

// Every row first: the first bad row gets the current cell and its message, and nothing is saved.
bool CProductionPlanDialog::CheckRows()
{
    const PlanGridRowCheck check(m_campaigns, m_units);
    for (int row = 1; row <= m_grid->GetRowCount(); ++row) {
        const PlanRowRefusal refusal = check.Check(ReadGridRow(row));
        if (refusal.column == 0)
            continue;
        m_grid->SetCurrentCell(row, refusal.column);
        m_grid->setFocus();
        QvMessageBox(refusal.text);
        return false;
    }
    return true;
}

PlanGridRow CProductionPlanDialog::ReadGridRow(int row) const
{
    PlanGridRow read;
    for (int col = PLAN_COL_CAMPAIGN; col < PLAN_COL_PRODUCT; ++col)
        read.cells << m_grid->GetValueRowCol(row, col).trimmed();
    read.storedItem = m_grid->GetStoredItemData(row, PLAN_COL_CAMPAIGN);
    return read;
}

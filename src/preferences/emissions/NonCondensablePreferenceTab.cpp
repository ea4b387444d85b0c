#include "preferences/emissions/NonCondensablePreferenceTab.h"

#include "foundation/common/HelpService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/controls/MyGXComboBox.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/controls/SortedChoiceLists.h"
#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/material/MaterialCommonSet.h"
#include "foundation/db/project/PreferNonCondensableMaterialSet.h"
#include "preferences/emissions/EmissionLookups.h"
#include "preferences/emissions/EmissionPageActivation.h"

#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

const char* const NONCONDENSABLE_DUPLICATE_MESSAGE = "This gas is selected already. Please select another one !";

CNonCondensablePreferenceTab::CNonCondensablePreferenceTab(QWidget* parent) : CEmissionSheetPage(parent)
{
    setWindowTitle(QStringLiteral("Non-Condensable Gasses"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Select the names of non-condensable components."), this));
    m_grid = new CObjectGridWnd(this);
    layout->addWidget(m_grid);
    resize(552, 396);
    m_grid->Initialize();
    m_gasList = new CMyGXComboBox;
    m_grid->RegisterControl(GAS_LIST, m_gasList);
    LayOutGrid(MIN_ROWS);
    m_grid->installEventFilter(this);
    FillGasMaterialCombo(m_gasList);
    SortComboBox(m_gasList);
    m_loaded = LoadMaterials();
}

void CNonCondensablePreferenceTab::LayOutGrid(int rows)
{
    m_grid->SetRowCount(rows);
    m_grid->SetColCount(1);
    m_grid->SetColWidth(0, 0);
    m_grid->SetColWidth(1, m_grid->width());
    m_grid->SetStyleRange(CGridRange(0, 1), CGridCellStyle()
                                                .SetValue(QStringLiteral("Non-Condensable Gas"))
                                                .SetInterior(GRID_HEADING_COLOR)
                                                .SetEnabled(false));
    for (int row = 1; row <= rows; ++row)
        m_grid->SetRowHeight(row, 21);
    m_grid->SetStyleRange(CGridRange(1, 1, rows, 1), CGridCellStyle().SetControl(GAS_LIST).SetEnabled(true));
    m_slots.resize(rows, EMPTY_SLOT);
}

// The one column takes the grid's width.
bool CNonCondensablePreferenceTab::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid && event->type() == QEvent::Resize)
        m_grid->SetColWidth(1, m_grid->width());
    return CEmissionSheetPage::eventFilter(watched, event);
}

// Every stored row, by name, whether or not it is a gas of the list; the grid grows to hold them.
bool CNonCondensablePreferenceTab::LoadMaterials()
{
    CPreferNonCondensableMaterialSet stored;
    if (!stored.OpenSet()) {
        QvMessageBox(QStringLiteral("Can't open PREFER-NonCondensableMaterials table for initialization"));
        return false;
    }
    for (; !stored.IsEOF(); stored.MoveNext())
        m_stored << stored.GetLong(QStringLiteral("MaterialID"));
    stored.CloseSet();
    if (m_stored.size() > MIN_ROWS)
        LayOutGrid(int(m_stored.size()));
    CMaterialCommonSet* materials = CMaterialCommonSet::Instance();
    for (int i = 0; i < m_stored.size(); ++i) {
        QString name;
        bool found = false;
        if (!materials->ReadMaterialName(m_stored.at(i), &name, &found))
            return false;
        m_slots[i] = m_stored.at(i);
        m_grid->SetValueWithItemData(i + 1, 1, name, m_stored.at(i));
    }
    return true;
}

// A blank row empties its slot; a text of no entry and no id keeps what the slot held.
void CNonCondensablePreferenceTab::ReadGrid()
{
    for (int row = 1; row <= m_grid->GetRowCount(); ++row) {
        if (m_grid->GetValueRowCol(row, 1).trimmed().isEmpty()) {
            m_slots[row - 1] = EMPTY_SLOT;
            continue;
        }
        const qint64 id = m_grid->GetCellItemData(row, 1);
        if (id >= 0)
            m_slots[row - 1] = long(id);
    }
}

bool CNonCondensablePreferenceTab::CheckDuplicateGas()
{
    QList<long> seen;
    for (int row = 1; row <= m_grid->GetRowCount(); ++row) {
        const long id = m_slots.at(row - 1);
        if (id == EMPTY_SLOT)
            continue;
        if (!seen.contains(id)) {
            seen << id;
            continue;
        }
        ActivateSheetPage(this);
        QvMessageBox(QString::fromLatin1(NONCONDENSABLE_DUPLICATE_MESSAGE));
        m_grid->setFocus();
        m_grid->SetCurrentCell(row, 1);
        return false;
    }
    return true;
}

bool CNonCondensablePreferenceTab::OnKillActive()
{
    return CheckEntries();
}

bool CNonCondensablePreferenceTab::CheckEntries()
{
    if (!m_grid->UpdateData(true))
        return false;
    ReadGrid();
    return CheckDuplicateGas();
}

QList<long> CNonCondensablePreferenceTab::ChosenMaterials() const
{
    QList<long> chosen;
    std::copy_if(m_slots.cbegin(), m_slots.cend(), std::back_inserter(chosen),
                 [](long id) { return id != EMPTY_SLOT; });
    return chosen;
}

bool CNonCondensablePreferenceTab::WritePage(CDaoDatabase& project)
{
    if (!m_loaded)
        return false;
    ReadGrid();
    const QList<long> chosen = ChosenMaterials();
    if (chosen == m_stored)
        return false;
    QList<QVariantList> rows;
    for (long id : chosen)
        rows << QVariantList{qlonglong(id)};
    ReplaceTableRows(project, QStringLiteral("PREFER-NonCondensableMaterials"), {QStringLiteral("MaterialID")},
                     QString(), QVariant(), rows);
    return true;
}

void CNonCondensablePreferenceTab::OnHelp()
{
    DisplayHelp(GetHelpFileName(), HELP_TOPIC);
}

// The emission control path page's lists, rows and writes, and its "..." cells.

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/FacilityExplorer.h"
#include "foundation/controls/MyGXComboBox.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/controls/SortedChoiceLists.h"
#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/equipment/PlantEuipmentSet.h"
#include "foundation/db/project/EmissionCtrlPathSet.h"
#include "foundation/db/project/PreferEmissionPathSet.h"
#include "modules/opdialog/EmissionControlPathDialog.h"
#include "preferences/emissions/EmissionControlPathTab.h"
#include "preferences/emissions/EmissionLookups.h"

#include <QApplication>
#include <QCursor>
#include <algorithm>

namespace {

const char* const PATH_ROWS_FAILED = "Can't open QryTblEmissionControlPathForFacilityID to display the data!";

// A wait cursor for the scope.
class PathPageWaitCursor {
public:
    PathPageWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~PathPageWaitCursor() { QApplication::restoreOverrideCursor(); }
    PathPageWaitCursor(const PathPageWaitCursor&) = delete;
    PathPageWaitCursor& operator=(const PathPageWaitCursor&) = delete;
};

} // namespace

// Clears the grid and shows the facility: its rows as kept when it was shown before, else as
// stored. The lists are read again each time, so that edits of the "..." dialogs appear.
void CEmissionControlPathTab::ShowFacility(long plantID)
{
    PathPageWaitCursor wait;
    m_currentFacility = plantID;
    m_grid->SetValueRange(CGridRange(1, COL_EQUIPMENT, m_grid->GetRowCount(), COL_EQUIPMENT), QString());
    m_grid->SetValueRange(CGridRange(1, COL_PATH, m_grid->GetRowCount(), COL_PATH), QString());
    const bool seen = m_facilities.contains(plantID);
    FacilityRows& facility = m_facilities[plantID];
    const bool listed = FillEmissionPathLists(false);
    if (!seen)
        facility.loaded = listed && LoadEmissionPathAssignments();
    else
        facility.loaded = facility.loaded && listed;
    ShowRows(facility.rows);
}

bool CEmissionControlPathTab::FillEmissionPathLists(bool withPools)
{
    return FillEquipmentList(withPools) && FillPathList();
}

// Every item of the facility goes into the tag map; pools join the list only when asked.
bool CEmissionControlPathTab::FillEquipmentList(bool withPools)
{
    CPlantEuipmentSet equipment;
    if (!equipment.OpenSet(m_currentFacility)) {
        QvMessageBox(QStringLiteral("Can't open QryPlantEquipment to populate equipment combo box!"));
        return false;
    }
    m_equipmentList->ResetContent();
    m_tags.clear();
    for (; !equipment.IsEOF(); equipment.MoveNext()) {
        const long id = equipment.GetLong(QStringLiteral("ActualEquipmentID"));
        const QString tag = equipment.GetText(QStringLiteral("QVTag"));
        m_tags.insert(id, tag);
        if (withPools || !equipment.GetBool(QStringLiteral("Pool")))
            m_equipmentList->SetItemData(m_equipmentList->AddString(tag), id);
    }
    equipment.CloseSet();
    SortComboBox(m_equipmentList);
    return true;
}

bool CEmissionControlPathTab::FillPathList()
{
    CEmissionCtrlPathSet paths;
    if (!paths.OpenSet(m_currentFacility)) {
        QvMessageBox(QStringLiteral(
            "Can't open QryTblEmissionControlPathForFacilityID to populate emission control path combo box!"));
        return false;
    }
    m_pathList->ResetContent();
    m_pathNames.clear();
    for (; !paths.IsEOF(); paths.MoveNext()) {
        const long id = paths.GetLong(QStringLiteral("EmissionControlPathID"));
        const QString name = paths.GetText(QStringLiteral("EmissionControlPathName"));
        m_pathNames.insert(id, name);
        m_pathList->SetItemData(m_pathList->AddString(name), id);
    }
    paths.CloseSet();
    SortComboBox(m_pathList);
    return true;
}

// The stored rows of the facility, named from the lists (an item or path of another facility by
// its own look-up).
bool CEmissionControlPathTab::LoadEmissionPathAssignments()
{
    CPreferEmissionPathSet stored;
    if (!stored.OpenSet(m_currentFacility)) {
        QvMessageBox(QString::fromLatin1(PATH_ROWS_FAILED));
        return false;
    }
    FacilityRows& facility = m_facilities[m_currentFacility];
    bool named = true;
    for (; !stored.IsEOF(); stored.MoveNext()) {
        Assignment row;
        row.equipmentID = stored.GetLong(QStringLiteral("EquipmentID"));
        row.pathID = stored.GetLong(QStringLiteral("EmissionControlPathID"));
        row.tag = m_tags.value(row.equipmentID);
        row.pathName = m_pathNames.value(row.pathID);
        if (!m_tags.contains(row.equipmentID))
            named = GetEquipmentTag(row.equipmentID, row.tag) && named;
        if (!m_pathNames.contains(row.pathID))
            named = GetEmissionControlPathName(row.pathID, row.pathName) && named;
        facility.rows << row;
        facility.stored << qMakePair(row.equipmentID, row.pathID);
    }
    return named;
}

void CEmissionControlPathTab::ShowRows(const QList<Assignment>& rows)
{
    const int needed = std::max<int>(MIN_ROWS, int(rows.size()));
    if (needed > m_grid->GetRowCount()) {
        const int first = m_grid->GetRowCount() + 1;
        m_grid->SetRowCount(needed);
        FormatRows(first, needed);
    }
    for (int i = 0; i < rows.size(); ++i) {
        const Assignment& row = rows.at(i);
        m_grid->SetValueWithItemData(i + 1, COL_EQUIPMENT, row.tag, row.equipmentID);
        m_grid->SetValueWithItemData(i + 1, COL_PATH, row.pathName, row.pathID);
    }
}

// The shown facility's rows as the grid holds them; a row without both texts is empty.
void CEmissionControlPathTab::ReadGrid()
{
    if (m_currentFacility == -1)
        return;
    QList<Assignment>& rows = m_facilities[m_currentFacility].rows;
    rows.clear();
    for (int r = 1; r <= m_grid->GetRowCount(); ++r) {
        Assignment row;
        row.tag = m_grid->GetValueRowCol(r, COL_EQUIPMENT).trimmed();
        row.pathName = m_grid->GetValueRowCol(r, COL_PATH).trimmed();
        if (row.tag.isEmpty() || row.pathName.isEmpty())
            continue;
        row.equipmentID = long(m_grid->GetCellItemData(r, COL_EQUIPMENT));
        row.pathID = long(m_grid->GetCellItemData(r, COL_PATH));
        rows << row;
    }
}

QList<QPair<long, long>> CEmissionControlPathTab::CompleteRows(const QList<Assignment>& rows)
{
    QList<QPair<long, long>> complete;
    for (const Assignment& row : rows) {
        if (row.Complete())
            complete << qMakePair(row.equipmentID, row.pathID);
    }
    return complete;
}

// Each shown facility that loaded and whose rows changed is rewritten, in facility id order.
bool CEmissionControlPathTab::WritePage(CDaoDatabase& project)
{
    ReadGrid();
    QList<long> plantIDs = m_facilities.keys();
    std::sort(plantIDs.begin(), plantIDs.end());
    bool wrote = false;
    for (long plantID : plantIDs) {
        const FacilityRows& facility = m_facilities.value(plantID);
        const QList<QPair<long, long>> rows = CompleteRows(facility.rows);
        if (!facility.loaded || rows == facility.stored)
            continue;
        QList<QVariantList> values;
        for (const auto& [equipmentID, pathID] : rows)
            values << QVariantList{qlonglong(plantID), qlonglong(equipmentID), qlonglong(pathID)};
        ReplaceTableRows(project, QStringLiteral("PREFER-DefaultECP"),
                         {QStringLiteral("PlantID"), QStringLiteral("EquipmentID"),
                          QStringLiteral("EmissionControlPathID")},
                         QStringLiteral("PlantID"), qlonglong(plantID), values);
        wrote = true;
    }
    return wrote;
}

// Each row that holds an id shows that id's current name; a row whose id is gone becomes blank.
void CEmissionControlPathTab::RewriteTexts(int col, const QHash<long, QString>& names)
{
    for (int row = 1; row <= m_grid->GetRowCount(); ++row) {
        if (m_grid->GetValueRowCol(row, col).trimmed().isEmpty())
            continue;
        const long id = long(m_grid->GetCellItemData(row, col));
        if (names.contains(id))
            m_grid->SetValueWithItemData(row, col, names.value(id), id);
        else if (id >= 0)
            m_grid->SetValueRowCol(row, col, QString());
    }
}

void CEmissionControlPathTab::OnEquipmentMore(int row)
{
    m_grid->SetCurrentCell(row, COL_EQUIPMENT);
    const bool blank = m_grid->GetValueRowCol(row, COL_EQUIPMENT).trimmed().isEmpty();
    const long equipmentID = blank ? -1 : long(m_grid->GetCellItemData(row, COL_EQUIPMENT));
    if (equipmentID >= 0)
        DotNetInvokeDataEquipment(-1, equipmentID);
    else
        DotNetInvokeDataEquipment(m_currentFacility, -1);
    if (!FillEquipmentList(true))
        m_facilities[m_currentFacility].loaded = false;
    RewriteTexts(COL_EQUIPMENT, m_tags);
}

void CEmissionControlPathTab::OnPathMore(int row)
{
    m_grid->SetCurrentCell(row, COL_PATH);
    const QString text = m_grid->GetValueRowCol(row, COL_PATH);
    const long pathID = text.trimmed().isEmpty() ? -1 : long(m_grid->GetCellItemData(row, COL_PATH));
    const long chosen = EditEmissionControlPaths(pathID, text, m_currentFacility);
    if (!FillPathList())
        m_facilities[m_currentFacility].loaded = false;
    if (chosen != -1 && m_pathNames.contains(chosen))
        m_grid->SetValueWithItemData(row, COL_PATH, m_pathNames.value(chosen), chosen);
    RewriteTexts(COL_PATH, m_pathNames);
}

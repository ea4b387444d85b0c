// Filling the step scaling dialog from the step, its equipment and its recipe.

#include "simulation/ScaleUpDialog.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/controls/MyGXComboBox.h"
#include "foundation/controls/NumericEdit.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/controls/UnitCombos.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/SharedDatabases.h"
#include "modules/sharedclasses/SharedScaleInvariantOperation.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSqlQuery>

namespace {

constexpr int SCALE_GRID_COMBO = 2012;

bool IsSetScaleSize(double kg)
{
    return kg < 1e34;
}

} // namespace

bool CScaleUpDialog::OnInitDialog()
{
    UpdateData(false);
    m_initialised = true;
    if (!ReadStepRow() || (m_stepRead && !FillKeyOutputName()))
        return false;
    FillStatics();
    auto* units = static_cast<QComboBox*>(Control(1167));
    FillUnitCombo(QStringLiteral("ScaleQuantity"), units);
    FillUnitCombo(QStringLiteral("ScaleQuantity"), static_cast<QComboBox*>(Control(1182)));
    FillUOMSetCombo(static_cast<QComboBox*>(Control(1070)), m_uomSetID);
    if (!FillEquipmentCombos())
        return true;
    ResetInputs();
    if (!SetUpGrid() || !LoadInvariantOperations())
        return false;
    m_grid->SetCurrentCell(1, 1);
    if (SortServices* sorter = GetSortServices())
        for (int id : {1182, 1070, 1069, 1068, 1167})
            sorter->SortComboBoxItems(static_cast<QComboBox*>(Control(id)));
    return true;
}

bool CScaleUpDialog::ReadStepRow()
{
    CDaoDatabase* step = GetStepDatabase(m_stepID);
    if (!step) {
        QvMessageBox(QStringLiteral("Can't open Step table for intialization!"));
        return false;
    }
    QSqlQuery row = step->Query(QStringLiteral("SELECT StepName, StepVersionName, KeyOutputIntermediateID,"
                                               " InputUOMSetID, UndoPrevScalingDone, PrevScalingOption FROM Step"));
    m_stepRead = row.next();
    bool undoable = false;
    if (m_stepRead) {
        m_stepName = row.value(0).toString();
        m_versionName = row.value(1).toString();
        m_keyOutputID = row.value(2).isNull() ? -1 : long(row.value(2).toLongLong());
        m_uomSetID = row.value(3).isNull() ? -1 : long(row.value(3).toLongLong());
        undoable = row.value(4).toLongLong() == 0 && !row.value(5).isNull() && row.value(5).toLongLong() != 0;
    }
    Control(3)->setEnabled(undoable);
    return true;
}

bool CScaleUpDialog::FillKeyOutputName()
{
    CDaoDatabase* materials = GetSharedMaterialsDB();
    if (!materials) {
        QvMessageBox(QStringLiteral("Can't open the Materials table for initialization!"));
        return false;
    }
    QSqlQuery row = materials->Query(
        QStringLiteral("SELECT MaterialName FROM ActualMaterialCommon WHERE MaterialID = ?"), {qlonglong(m_keyOutputID)});
    if (row.next())
        m_keyOutputName = row.value(0).toString();
    return true;
}

void CScaleUpDialog::FillStatics()
{
    const auto text = [this](int id, const QString& value) { static_cast<QLabel*>(Control(id))->setText(value); };
    const auto optional = [](double kg) { return IsSetScaleSize(kg) ? SizeText(kg) : QStringLiteral(" kg"); };
    text(1172, m_stepName);
    text(1173, m_versionName);
    text(1174, m_keyOutputName);
    text(1175, optional(m_sizes.current));
    text(1176, optional(m_sizes.original));
    text(1177, optional(m_sizes.maximum));
    text(1179, optional(m_sizes.minimum));
    text(1183, optional(m_sizes.keyInput));
    static_cast<QGroupBox*>(Control(1162))->setTitle(QStringLiteral(" Scale the Batch: "));
    static_cast<QRadioButton*>(Control(1163))->setChecked(true);
}

bool CScaleUpDialog::FillEquipmentCombos()
{
    CDaoDatabase* step = GetStepDatabase(m_stepID);
    CDaoDatabase* equipment = GetSharedEquipmentDB();
    if (!step || !equipment) {
        QvMessageBox(QStringLiteral("Can't open EquipmentInStep table for intialization!"));
        return false;
    }
    QSqlQuery ids = step->Query(QStringLiteral("SELECT DISTINCT EquipmentID FROM QryStepAllEquipment"
                                               " WHERE EquipmentID > 0 ORDER BY EquipmentID"));
    while (ids.next()) {
        QSqlQuery item = equipment->Query(QStringLiteral("SELECT QVTag, EquipmentType FROM ActualEquipmentCommon"
                                                         " WHERE ActualEquipmentID = ?"),
                                          {ids.value(0)});
        if (!item.next() || item.value(1).toString().compare(QLatin1String("Continuous"), Qt::CaseInsensitive) == 0)
            continue;
        for (int id : {1068, 1069})
            static_cast<QComboBox*>(Control(id))->addItem(item.value(0).toString(), ids.value(0).toLongLong());
    }
    return true;
}

void CScaleUpDialog::ResetInputs()
{
    for (int id : {1166, 1170, 1181}) {
        static_cast<QLineEdit*>(Control(id))->clear();
        Control(id)->setEnabled(false);
    }
    for (int id : {1167, 1182, 1068, 1069}) {
        static_cast<QComboBox*>(Control(id))->setCurrentIndex(-1);
        Control(id)->setEnabled(false);
    }
    OnCheckUOMSet();
}

QHash<long, QString> CScaleUpDialog::VisibleOperations() const
{
    QHash<long, QString> texts;
    CDaoDatabase* step = GetStepDatabase(m_stepID);
    if (!step)
        return texts;
    QSqlQuery rows = step->Query(QStringLiteral("SELECT ID, Label, OperationName FROM TextRecipe WHERE Type = 'Operation'"
                                                " AND Hide = 0 ORDER BY RecipeSequenceNumber, RowKey"));
    while (rows.next())
        texts.insert(long(rows.value(0).toLongLong()), rows.value(1).toString() + u' ' + rows.value(2).toString());
    return texts;
}

bool CScaleUpDialog::SetUpGrid()
{
    auto* combo = new CMyGXComboBox;
    m_grid->RegisterControl(SCALE_GRID_COMBO, combo);
    CDaoDatabase* step = GetStepDatabase(m_stepID);
    if (!step)
        return false;
    QSqlQuery rows = step->Query(QStringLiteral("SELECT ID, Label, OperationName FROM TextRecipe WHERE Type = 'Operation'"
                                                " AND Hide = 0 ORDER BY RecipeSequenceNumber, RowKey"));
    while (rows.next())
        combo->SetItemData(combo->AddString(rows.value(1).toString() + u' ' + rows.value(2).toString()),
                           rows.value(0).toLongLong());
    m_grid->SetRowCount(ROWS);
    m_grid->SetColCount(1);
    for (int row = 1; row <= ROWS; ++row)
        m_grid->SetRowHeight(row, 21);
    const double scale = m_grid->width() / 453.0;
    m_grid->SetColWidth(0, int(17 * scale));
    m_grid->SetColWidth(1, int(412.5 * scale));
    m_grid->SetStyleRange(CGridRange(0, 1), CGridCellStyle()
                                                .SetValue(QStringLiteral("Do Not Scale"))
                                                .SetInterior(QColor(255, 255, 128))
                                                .SetEnabled(false));
    m_grid->setSelectionMode(QAbstractItemView::NoSelection);
    m_grid->SetStyleRange(CGridRange(1, 1, ROWS, 1), CGridCellStyle().SetControl(SCALE_GRID_COMBO).SetValue({}));
    return true;
}

// Stored ids beyond the grid's rows are not shown.
bool CScaleUpDialog::LoadInvariantOperations()
{
    Array<long> stored;
    try {
        CSharedScaleInvariantOperation::getScaleInvariantOperationSet(m_stepID, stored);
    } catch (const CDaoException&) {
        return false;
    }
    if (stored.IsEmpty())
        return true;
    const QHash<long, QString> visible = VisibleOperations();
    for (long k = 0; k < stored.GetSize() && k < ROWS; ++k) {
        m_rowIDs[k] = stored[k];
        m_rowTexts[k] = visible.value(stored[k]);
        if (!m_rowTexts[k].isEmpty())
            m_grid->SetValueRowCol(int(k) + 1, 1, m_rowTexts[k]);
    }
    return true;
}

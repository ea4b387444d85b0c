// Data exchange, the checks of OK, and the writes of OK and Undo of the step scaling dialog.

#include "simulation/ScaleUpDialog.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/controls/ControlHelpers.h"
#include "foundation/controls/NumericEdit.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "modules/sharedclasses/SharedPrevScaleInvariantOperation.h"
#include "modules/sharedclasses/SharedScaleInvariantOperation.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSqlQuery>

namespace {

long ScaleComboData(QWidget* control)
{
    auto* combo = static_cast<QComboBox*>(control);
    return combo->currentIndex() < 0 ? -1 : long(combo->currentData().toLongLong());
}

// An empty edit is unset; a text that does not read refuses the exchange.
bool ExchangeScaleValue(QWidget* control, double* value, bool initialised)
{
    auto* edit = static_cast<CNumericEdit*>(control);
    if (!initialised) {
        edit->SetValue(*value);
        return true;
    }
    if (SetMissingIfEmpty(edit, MISSING_DOUBLE, value, nullptr))
        return true;
    return edit->GetValue(value);
}

bool IsUnsetScaleValue(double value)
{
    return value >= 1e34;
}

} // namespace

bool CScaleUpDialog::UpdateData(bool save)
{
    if (save) {
        if (!ExchangeScaleValue(Control(1166), &m_keyOutputValue, m_initialised) ||
            !ExchangeScaleValue(Control(1170), &m_factor, m_initialised) ||
            !ExchangeScaleValue(Control(1181), &m_keyInputValue, m_initialised) || !m_grid->UpdateData(true))
            return false;
        m_keyOutputUnit = static_cast<QComboBox*>(Control(1167))->currentText();
        m_keyInputUnit = static_cast<QComboBox*>(Control(1182))->currentText();
    } else {
        for (auto [id, value] : {std::pair{1166, m_keyOutputValue}, {1170, m_factor}, {1181, m_keyInputValue}})
            static_cast<CNumericEdit*>(Control(id))->SetValue(value);
    }
    m_equipment3 = ScaleComboData(Control(1068));
    m_equipment8 = ScaleComboData(Control(1069));
    m_uomSetID = static_cast<QCheckBox*>(Control(1631))->isChecked() ? ScaleComboData(Control(1070)) : m_uomSetID;
    if (m_initialised && !static_cast<QCheckBox*>(Control(1631))->isChecked())
        m_uomSetID = -1;
    if (m_initialised)
        ExchangeGrid();
    return true;
}

void CScaleUpDialog::ExchangeGrid()
{
    for (int row = 1; row <= ROWS; ++row) {
        const QString text = m_grid->GetValueRowCol(row, 1);
        const qint64 id = text.isEmpty() ? 0 : m_grid->GetCellItemData(row, 1);
        m_rowIDs[row - 1] = id < 0 ? 0 : long(id);
        m_rowTexts[row - 1] = m_rowIDs[row - 1] == 0 ? QString() : text;
    }
}

void CScaleUpDialog::accept()
{
    if (!UpdateData(true) || !Checked())
        return;
    StoreAndEnd();
}

bool CScaleUpDialog::Checked()
{
    const bool maxCode = m_code == 2 || m_code == 3;
    const auto plain = [](const char* text) { return QvMessageBox(QString::fromLatin1(text)), false; };
    if (m_code == 3 && m_equipment3 == -1)
        return ShowErrorAndFocus(Control(1068), QStringLiteral("Please select equipment unit!")), false;
    if (maxCode && IsUnsetScaleValue(m_sizes.maximum))
        return plain("Maximum batch size can not be calculated, please select different option.");
    if (maxCode && m_sizes.maximum == 0)
        return plain("Maximum batch size is 0, please select different option.");
    if ((m_code == 7 || m_code == 8) && IsUnsetScaleValue(m_sizes.minimum))
        return plain("Minimum batch size can not be calculated, please select different option.");
    if (m_code == 4 && !CheckKeyValue(4, m_keyOutputValue, m_keyOutputUnit))
        return false;
    if (m_code == 6 && IsUnsetScaleValue(m_factor))
        return ShowErrorAndFocus(Control(1170), QStringLiteral("Please enter number of times of the current batch size!")),
               false;
    if (m_code == 6 && m_factor <= 0)
        return ShowErrorAndFocus(Control(1170),
                                 QStringLiteral("Please enter positive number of times of the current batch size!")),
               false;
    if (m_code == 8 && m_equipment8 == -1)
        return ShowErrorAndFocus(Control(1069), QStringLiteral("Please select equipment unit!")), false;
    if (m_code == 5 && !CheckKeyValue(5, m_keyInputValue, m_keyInputUnit))
        return false;
    return CheckGridRows();
}

bool CScaleUpDialog::CheckKeyValue(int code, double value, const QString& unit)
{
    const QString what = code == 4 ? QStringLiteral("Key Output") : QStringLiteral("Key Input");
    QWidget* edit = Control(code == 4 ? 1166 : 1181);
    if (IsUnsetScaleValue(value))
        return ShowErrorAndFocus(edit, QStringLiteral("Please enter %1 Batch Size!").arg(what)), false;
    if (value <= 0)
        return ShowErrorAndFocus(edit, QStringLiteral("Please enter positive %1 Batch Size!").arg(what)), false;
    if (unit.isEmpty())
        return ShowErrorAndFocus(Control(code == 4 ? 1167 : 1182),
                                 QStringLiteral("Please select %1 Batch Size Unit!").arg(what)),
               false;
    return true;
}

bool CScaleUpDialog::CheckGridRows()
{
    for (int later = 1; later < ROWS; ++later)
        for (int earlier = 0; earlier < later; ++earlier)
            if (m_rowIDs[later] != 0 && m_rowIDs[earlier] != 0 && m_rowTexts[later] == m_rowTexts[earlier]) {
                QvMessageBox(QStringLiteral("Please select a different operation!"));
                m_grid->setFocus();
                m_grid->SetCurrentCell(later + 1, 1);
                return false;
            }
    return true;
}

// Both lists and the step's record of this scaling in one transaction; a failure keeps the dialog.
void CScaleUpDialog::StoreAndEnd()
{
    Array<long> ids;
    Array<QString> texts;
    for (int row = 0; row < ROWS; ++row)
        if (m_rowIDs[row] != 0) {
            ids.Add(m_rowIDs[row]);
            texts.Add(m_rowTexts[row]);
        }
    CDaoDatabase* step = GetStepDatabase(m_stepID);
    try {
        if (step) {
            CDaoTransaction transaction(*step);
            CSharedScaleInvariantOperation::updateScaleInvariantOperationSet(m_stepID, ids, texts);
            CSharedPrevScaleInvariantOperation::updatePrevScaleInvariantOperationSet(m_stepID, ids, texts);
            step->Execute(QStringLiteral("UPDATE Step SET PrevScalingOption = ?, UndoPrevScalingDone = 0,"
                                         " PrevScaledBatchSize = BatchSize"),
                          {m_code});
            transaction.Commit();
        }
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return;
    }
    QDialog::accept();
}

void CScaleUpDialog::OnUndoPrevScaling()
{
    m_undo = true;
    CDaoDatabase* step = GetStepDatabase(m_stepID);
    try {
        if (step)
            step->Execute(QStringLiteral("UPDATE Step SET UndoPrevScalingDone = 1"));
    } catch (const CDaoException& error) {
        m_undo = false; // a failed undo write is no undo request
        QvMessageBox(error.GetErrorDescription());
        return;
    }
    QDialog::accept();
}

// Validation, save and delete of the unit-of-measure sets dialog.

#include "preferences/units/UOMPreferencesDialog.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/NameCheck.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/controls/SortedChoiceLists.h"
#include "foundation/db/connection/DaoException.h"
#include "results/ResultWindows.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

bool CUOMPreferencesDialog::ValidateInput()
{
    QString name = m_typedName;
    if (!CheckName(name) || !CheckDefaults() || !CheckUnits() || !CheckRename(name) || !CheckUniqueName(name))
        return false;
    m_nameBeforeCheck = m_currentName;
    m_currentName = name;
    return true;
}

bool CUOMPreferencesDialog::CheckName(QString& name)
{
    if (name.isEmpty()) {
        QvMessageBox(QStringLiteral("Please enter Unit of Measure Set Name!"));
        m_setCombo->setFocus();
        return false;
    }
    if (!IsInvalidName(name))
        return true;
    const QSignalBlocker blocker(m_setCombo);
    m_setCombo->setEditText(name);
    m_typedName = name;
    m_setCombo->setFocus();
    return false;
}

bool CUOMPreferencesDialog::CheckDefaults()
{
    if (m_inputCombo->currentIndex() < 0) {
        QvMessageBox(QStringLiteral("Please make a selection from the Default Input Unit of Measure Set combo box!"));
        m_inputCombo->setFocus();
        return false;
    }
    m_defaultInputID = long(m_inputCombo->currentData().toLongLong());
    if (m_outputCombo->currentIndex() < 0) {
        QvMessageBox(QStringLiteral("Please make a selection from the Default Output Unit of Measure Set combo box!"));
        m_outputCombo->setFocus();
        return false;
    }
    m_defaultOutputID = long(m_outputCombo->currentData().toLongLong());
    return true;
}

// A display text the list has no key for counts as empty.
QString CUOMPreferencesDialog::UnitKeyOfRow(int row) const
{
    const QString display = m_grid->GetValueRowCol(row, 2);
    QString key;
    if (display.isEmpty() || !GetKeyValue(m_kinds.at(row - 1).type, display, key))
        return {};
    return key;
}

bool CUOMPreferencesDialog::CheckUnits()
{
    for (int row = 1; row <= m_kinds.size(); ++row) {
        if (!UnitKeyOfRow(row).isEmpty())
            continue;
        QvMessageBox(QStringLiteral("Unit of Measure for '") + m_grid->GetValueRowCol(row, 1) +
                     QStringLiteral("' is empty. Please make a selection from the combo box!"));
        m_grid->setFocus();
        m_grid->SetCurrentCell(row, 2);
        return false;
    }
    return true;
}

bool CUOMPreferencesDialog::CheckRename(const QString& name)
{
    if (name == m_currentName || m_newSetPending)
        return true;
    const auto showCurrentName = [this] {
        ShowSetIndex(SetIndexOfID(m_currentID));
        m_renameConfirmed = false;
        m_setCombo->setFocus();
    };
    if (m_currentReadOnly) {
        QvMessageBox(QStringLiteral("You can not rename the '") + m_currentName + QStringLiteral("'. It is read-only."));
        showCurrentName();
        return false;
    }
    if (QvMessageBox(QStringLiteral("Do you want to rename the Unit of Measure Set?"), MB_YESNO | MB_ICONQUESTION) ==
        IDNO) {
        showCurrentName();
        return false;
    }
    m_renameConfirmed = true;
    m_oldName = m_currentName;
    return true;
}

bool CUOMPreferencesDialog::CheckUniqueName(const QString& name)
{
    if (!m_newSetPending && !m_renameConfirmed)
        return true;
    for (int i = 0; i < m_setCombo->count(); ++i) {
        if (m_setCombo->itemText(i).compare(name, Qt::CaseInsensitive) == 0) {
            QvMessageBox(QStringLiteral("Unit of Measure Set Name exists already! Please give a different name."));
            m_setCombo->setFocus();
            return false;
        }
    }
    return true;
}

UOMSetSave CUOMPreferencesDialog::PendingSave() const
{
    UOMSetSave save;
    save.setID = m_currentID;
    save.newSet = m_newSetPending;
    save.name = m_currentName;
    save.rename = m_renameConfirmed;
    save.defaultInput = m_defaultInputID;
    save.defaultOutput = m_defaultOutputID;
    for (int row = 1; row <= m_kinds.size(); ++row)
        save.units.append({m_kinds.at(row - 1).type, UnitKeyOfRow(row)});
    return save;
}

// Read-only sets are saved for their defaults only: their units and name never change.
bool CUOMPreferencesDialog::SaveUOMSet()
{
    if (!GetSortServices()) {
        QvMessageBox(QStringLiteral("Application Main Frame cannot be found!"));
        return false;
    }
    UOMSetSave save = PendingSave();
    if (m_currentReadOnly)
        save.units.clear();
    try {
        AfterSave(WriteUOMSet(save));
    } catch (const CDaoException& e) {
        QvMessageBox(e.GetErrorDescription());
        m_currentName = m_nameBeforeCheck;
        m_renameConfirmed = false;
        return false;
    }
    return true;
}

void CUOMPreferencesDialog::AfterSave(long setID)
{
    if (m_newSetPending) {
        m_currentID = setID;
        AddSetToCombos({setID, m_currentName, false});
        SortComboBox(m_setCombo);
        for (int id : {IDC_NEW, IDC_NEW_SAME_AS, IDC_DELETE})
            button(id)->setEnabled(true);
        m_newSetPending = false;
    } else if (m_renameConfirmed) {
        RenameInCombos(setID, m_currentName);
        m_renameConfirmed = false;
    }
    ShowSetIndex(SetIndexOfID(setID));
    if (!m_currentReadOnly)
        MarkStepsForResimulation(RESIM_UNIT_SET, setID);
    SetProjectModified(true);
}

void CUOMPreferencesDialog::RenameInCombos(long setID, const QString& name)
{
    m_entries[setID].name = name;
    for (QComboBox* combo : {m_setCombo, m_inputCombo, m_outputCombo}) {
        const QSignalBlocker blocker(combo);
        const int index = combo->findData(qlonglong(setID));
        if (index >= 0)
            combo->setItemText(index, name);
        SortComboBox(combo);
    }
}

void CUOMPreferencesDialog::OnDelete()
{
    if (QvMessageBox(QStringLiteral("Are you sure to delete the selected Unit of Measure Set?"),
                     MB_YESNO | MB_ICONQUESTION) == IDNO) {
        m_setCombo->setFocus();
        return;
    }
    const QString refusal = UOMSetDeleteRefusal(m_currentID);
    if (!refusal.isEmpty()) {
        QvMessageBox(refusal);
        return;
    }
    WaitCursor wait;
    try {
        if (!DeleteUOMSetRow(m_currentID))
            return;
    } catch (const CDaoException& e) {
        QvMessageBox(e.GetErrorDescription());
        return;
    }
    RemoveSetFromCombos(m_currentID);
    SetProjectModified(true);
    if (m_setCombo->count() > 0) {
        ShowSetIndex(0);
        MakeCurrent(long(m_setCombo->itemData(0).toLongLong()));
    } else {
        ShowSetIndex(-1);
        m_currentID = -1;
    }
    LoadSetUnits();
    m_setCombo->setFocus();
}

void CUOMPreferencesDialog::RemoveSetFromCombos(long setID)
{
    for (QComboBox* combo : {m_setCombo, m_inputCombo, m_outputCombo}) {
        const QSignalBlocker blocker(combo);
        const int index = combo->findData(qlonglong(setID));
        if (index < 0)
            continue;
        const bool selected = combo->currentIndex() == index;
        combo->removeItem(index);
        if (selected)
            combo->setCurrentIndex(-1); // no other set is chosen in its place
    }
}

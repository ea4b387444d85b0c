#pragma once
// "Unit of Measure - Preferences" (dialog 245): the unit-of-measure sets of the project and its
// default input and output sets. The grid has one row per quantity kind; a set lacking a kind shows
// it empty and gets it on its next save. Every save is one transaction; the combo boxes, the
// re-simulation marks and the modified flag change only after its commit, and OK closes only
// after a successful save. Read-only sets can be copied ("New Same As"), never changed.

#include "preferences/units/UOMSetRows.h"

#include <QDialog>

class CObjectGridWnd;
class QComboBox;
class QPushButton;

class CUOMPreferencesDialog : public QDialog {
    Q_OBJECT
public:
    enum ControlID : int {
        IDC_UOM_SET = 1179,
        IDC_DEFAULT_OUTPUT = 1180,
        IDC_DEFAULT_INPUT = 1181,
        IDC_GRID = 1371,
        IDC_UPDATE = 1001,
        IDC_NEW = 1002,
        IDC_NEW_SAME_AS = 1003,
        IDC_DELETE = 1485,
        IDC_RESET = 1486,
    };

    explicit CUOMPreferencesDialog(QWidget* parent = nullptr);

    void OnInitDialog();
    void OnSelchangeUOMSet();
    void OnNew();
    void OnNewSameAs();
    void OnUpdate();
    void OnReset();
    void OnDelete();
    void OnOK();
    void OnHelp();

    bool ValidateInput();
    bool SaveUOMSet();
    void LoadSetUnits();

    QComboBox* setCombo() const { return m_setCombo; }
    QComboBox* inputCombo() const { return m_inputCombo; }
    QComboBox* outputCombo() const { return m_outputCombo; }
    CObjectGridWnd* grid() const { return m_grid; }
    QPushButton* button(int id) const;
    long currentSetID() const { return m_currentID; }
    bool isNewSetPending() const { return m_newSetPending; }
    // The quantity kind of each grid row, row 1 first.
    const QList<UOMKind>& kinds() const { return m_kinds; }

private:
    void BuildLayout();
    QPushButton* AddButton(int id, const QString& text);
    void OnEditTextChanged(const QString& text);
    // Selects the entry (-1: none) without a selection change; the typed name follows it.
    void ShowSetIndex(int index);
    int SetIndexOfID(long id) const;
    void MakeCurrent(long id);
    void FillSetCombos();
    void AddSetToCombos(const UOMSetEntry& entry);
    bool SetUpGrid();
    void FillUnitCells(const QHash<QString, QString>& unitByKind);
    void StyleUnitCells(bool enabled);
    void EnableSetButtons(bool editable);
    void StartNewSet(bool keepUnits);
    void ShowNoSet();
    // Validation steps; each shows its refusal and answers false.
    bool CheckName(QString& name);
    bool CheckDefaults();
    bool CheckUnits();
    bool CheckRename(const QString& name);
    bool CheckUniqueName(const QString& name);
    QString UnitKeyOfRow(int row) const;
    UOMSetSave PendingSave() const;
    void AfterSave(long setID);
    void RenameInCombos(long setID, const QString& name);
    void RemoveSetFromCombos(long setID);
    bool SavePendingBeforeSelection();

    QComboBox* m_setCombo = nullptr;    // 1179
    QComboBox* m_inputCombo = nullptr;  // 1181
    QComboBox* m_outputCombo = nullptr; // 1180
    CObjectGridWnd* m_grid = nullptr;   // 1371

    QHash<long, UOMSetEntry> m_entries; // by set id; the combos carry the id
    QList<UOMKind> m_kinds;
    long m_currentID = -1;
    bool m_currentReadOnly = false;
    QString m_currentName;
    QString m_oldName;
    QString m_nameBeforeCheck;
    QString m_typedName;  // the edit field of 1179 as the user typed it
    int m_shownIndex = -1; // the entry of 1179 the dialog last showed
    bool m_newSetPending = false;
    bool m_renameConfirmed = false;
    long m_defaultInputID = -1;
    long m_defaultOutputID = -1;
};

// The hub's entry: the dialog modally; true after OK.
bool RunUOMPreferences(QWidget* parent);

#pragma once
// "Global Defaults - Preferences" (dialog 207): the project's global defaults of operation
// variables, one grid row per default, each kept with its OperationDefaultID. OK checks the grid,
// the drop-downs and the moisture rule, then writes every row by its id in one transaction; only
// after the commit do the ambient pressure, the modified flag and the dialog's end follow. A failed
// write keeps the dialog open with the edits. "Reset" puts the original values into the grid only;
// "Print" prints the grid as shown. A set-up that did not lay out the grid disables OK and Reset.

#include "preferences/lists/GasMaterials.h"
#include "preferences/lists/OperationDefaultRows.h"

#include <QDialog>
#include <optional>

class COPDefaultsGrid;
class QPushButton;

class COPDefaultsDialog : public QDialog {
    Q_OBJECT
public:
    explicit COPDefaultsDialog(QWidget* parent = nullptr);
    ~COPDefaultsDialog() override;

    bool OnInitDialog();
    void OnOK();
    void OnReset();
    void OnPrint();
    void OnCommandHelp();
    bool SaveDefaults();
    bool CheckComboSelections();

    COPDefaultsGrid* grid() const { return m_grid; }
    QPushButton* button(int id) const;
    int rowCount() const { return m_nRowCount; }
    int ambientPressureRow() const { return m_nAmbientPressureRow; }

private:
    struct ChoiceLists {
        QList<GasMaterial> materials;
        QString gases, vesselGases, air; // "\n"-separated, sorted; the display text of Air
    };
    void LayOutGrid(int rows);
    void ShowRow(int row, const OperationDefaultRow& values, const QString& operationAbove, const ChoiceLists& lists);
    void ShowValueCell(int row, const OperationDefaultRow& values);
    void ShowGasCell(int row, const OperationDefaultRow& values, const ChoiceLists& lists);
    void ShowChoiceCell(int row, const OperationDefaultRow& values);
    void ShowOriginalValues(int row, const OperationDefaultRow& values, const QList<GasMaterial>& gases);
    void DisableCell(int row, int col);
    std::optional<OperationDefaultWrite> RowWrite(int row, const OperationDefaultRow& values,
                                                  const QList<GasMaterial>& gases) const;
    bool WriteRows(const QList<OperationDefaultWrite>& writes);
    bool MoistureValuesAccepted() const;
    void ApplyAmbientPressure();
    double CellNumber(int row) const;
    QString Cell(int row, int col) const;
    QString GasName(double id, const QList<GasMaterial>& gases, const QString& air) const;

    COPDefaultsGrid* m_grid;
    QPushButton* m_ok = nullptr;
    QPushButton* m_reset = nullptr;
    QList<long> m_rowIDs;           // OperationDefaultID of each grid row
    QStringList m_unitLists;        // ControlUOMList of each grid row
    int m_nRowCount = 0;            // 0 while the grid is not laid out
    int m_nAmbientPressureRow = 0;  // 0: none
};

// "Vessel Initialization Gas" or "Vessel Vent Gas", ignoring case: rows that may choose Air.
bool IsVesselGasRow(const QString& defaultName);
// The hub's entry: runs the dialog modally; true when it closed with OK.
bool RunOperationDefaults(QWidget* parent);
// Sets the hub's entry 1372.
void InstallOperationDefaultsEntry();

#pragma once
// "Model Parameters  ": the default values of the emission model parameters, one row per
// operation-default row marked for vapour emission, edited as its ControlState says and checked
// by its ValidationRule. Rows are written by their OperationDefaultID, and only when changed; a
// value that is not a number is refused, an empty one stores the unset number. Without a main
// frame (the managed unit lists) the page stays empty and writes nothing.

#include "foundation/controls/GridCellValidator.h"
#include "preferences/emissions/EmissionSheetPage.h"

#include <QList>
#include <QVariant>

class CObjectGridWnd;
class CQueryVaporEmissionDefaults;

class CVaporEmissionParameterTab : public CEmissionSheetPage, private IGridCellValidator {
    Q_OBJECT
public:
    static constexpr int PARAMETER_GRID = 1172;

    CVaporEmissionParameterTab();

    bool CheckEntries() override;
    bool IsLoaded() const override { return m_loaded; }
    bool WritePage(CDaoDatabase& project) override;

    CObjectGridWnd* Grid() const { return m_grid; }

private:
    struct ParameterRow {
        long operationDefaultID = -1;
        int controlState = 0;
        bool leakRate = false;
        QString listName;
        QVariant storedValue;
        QVariant storedUnit;
        QString shownValue; // column 2 as shown at load
        QString shownUnit;  // column 3 as shown at load
    };

    bool Load();
    void LayOutGrid(int rows);
    ParameterRow ShowRow(int row, const CQueryVaporEmissionDefaults& set);
    void ShowValue(int row, double value, int ruleCode);
    void ShowUnitChoice(int row, ParameterRow& parameter, const CQueryVaporEmissionDefaults& set);
    bool IsValueRow(const ParameterRow& parameter) const;
    QVariant UnitToStore(int row, const ParameterRow& parameter) const;
    bool ValidateCell(CObjectGridWnd& grid, int row, int col, const QString& text, QString* warning) override;

    CObjectGridWnd* m_grid = nullptr;
    QList<ParameterRow> m_rows;
    bool m_loaded = false;
};

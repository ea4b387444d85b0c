#pragma once
// "Fix Equipment": one grid row per equipment item of the step's last run (tag, class, YES/NO);
// a double-click on the YES/NO cell toggles whether the design run must leave the item as it is.
// The caller takes fixedFlags back after OK only.

#include "foundation/common/Array.h"

#include <QDialog>

class CGridCtrl;

class CFixEquipmentDlg : public QDialog {
    Q_OBJECT
public:
    CFixEquipmentDlg(Array<QString> tags, Array<QString> classes, Array<long> fixedFlags,
                     QWidget* parent = nullptr);

    const Array<long>& FixedFlags() const { return m_fixedFlags; }
    CGridCtrl* Grid() const { return m_grid; }

    // The grid's double-click on its current cell.
    void OnDblClickGrid();
    bool OnCommandHelp();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    void OnInitDialog();
    void FillColumn(int col, const Array<QString>& texts);

    CGridCtrl* m_grid = nullptr;
    Array<QString> m_tags;
    Array<QString> m_classes;
    Array<long> m_fixedFlags;
};

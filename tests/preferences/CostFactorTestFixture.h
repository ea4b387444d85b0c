#pragma once
// The cost factor sheet over a generated Demo project with its seed cost factors: driving grid
// edits and the calculated items dialog, and reading the stored rows back.

#include "OptionsTestFixture.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "preferences/costs/CalculatedItemsDialog.h"
#include "preferences/costs/CostFactorPreferenceDialog.h"
#include "preferences/costs/CostFactorTab.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <functional>

class CostFactorTest : public ToolOptionsTest {
protected:
    enum Page { CAPITAL, DIRECT, INDIRECT, PROCESSING };

    CCostFactorTab* show(CCostFactorPreferenceDialog& sheet, int page)
    {
        sheet.show();
        EXPECT_TRUE(sheet.SetActivePage(page));
        return sheet.Tab(page);
    }
    // Types the text into the cell and leaves it; false when the grid refused it.
    static bool type(CObjectGridWnd* grid, int row, int col, const QString& text)
    {
        grid->SetCurrentCell(row, col);
        grid->edit(grid->model()->index(row - 1, col - 1));
        auto* edit = qobject_cast<QLineEdit*>(grid->CurrentEditor());
        if (!edit)
            return false;
        edit->setText(text);
        return grid->UpdateData(true);
    }
    // Clicks the row's "..." cell and lets act work the calculated items dialog.
    static void clickItems(CObjectGridWnd* grid, int row, const std::function<void(CCalculatedItemsDialog&)>& act)
    {
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<CCalculatedItemsDialog*>(QApplication::activeModalWidget());
            shown = dialog != nullptr;
            if (dialog)
                act(*dialog);
        });
        grid->ClickButton(row, 5);
        EXPECT_TRUE(shown);
    }
    // Every stored row of the kinds (all but the one given), ids included.
    QString stored(const QString& exceptType = QString())
    {
        return value("SELECT group_concat(r, ';') FROM (SELECT CostFactorID || '|' || CostFactorType || '|' || "
                     "ifnull(CostFactorItem, '~') || '|' || quote(CostFactor) || '|' || ifnull(CostFactorUOM, '~') "
                     "|| '|' || RowOrder AS r FROM CostFactor WHERE CostFactorType <> '" +
                     exceptType + "' ORDER BY CostFactorType, RowOrder)")
            .toString();
    }
    QString links()
    {
        return value("SELECT group_concat(CostFactorID || ':' || CalculatedCostFactorID, ',') FROM "
                     "(SELECT * FROM ItemizedCostFactor ORDER BY CostFactorID, ItemizedCostFactorID)")
            .toString();
    }
    QString column(CObjectGridWnd* grid, int col)
    {
        QStringList cells;
        for (int row = 1; row <= grid->GetRowCount(); ++row)
            cells << grid->GetValueRowCol(row, col);
        return cells.join('|');
    }
};

#include "preferences/emissions/EmissionSheetPage.h"

#include "foundation/controls/ObjectGridWnd.h"

#include <QGroupBox>
#include <QVBoxLayout>

CObjectGridWnd* CEmissionSheetPage::AddValidatedGrid(int id, IGridCellValidator* validator)
{
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(this);
    auto* inner = new QVBoxLayout(group);
    auto* grid = new CObjectGridWnd(group);
    grid->setObjectName(QString::number(id));
    grid->setMinimumSize(420, 320);
    grid->Initialize();
    grid->SetCellValidator(validator);
    inner->addWidget(grid);
    layout->addWidget(group);
    return grid;
}

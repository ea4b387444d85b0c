#include "modules/opdialog/OperationDialogService.h"

#include "foundation/common/ServiceSlot.h"
#include "modules/opdialog/NewOperationDialog.h"
#include "modules/opdialog/NewUnitProcedureDialog.h"
#include "modules/opdialog/UnitProcedureEditDialog.h"

#include <QApplication>

OperationDialogService& GetOperationDialogService()
{
    static CQtOperationDialogs dialogs;
    OperationDialogService* installed = ServiceSlot<OperationDialogService>::Get();
    return installed ? *installed : dialogs;
}

std::optional<NewUnitProcedureInput> CQtOperationDialogs::AskUnitProcedure(const QString& suggestedName)
{
    CNewUnitProcedureDialog dialog(suggestedName, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.input();
}

std::optional<NewOperationInput> CQtOperationDialogs::AskOperation(const QString& typeName,
                                                                   const QString& unitProcedureName)
{
    CNewOperationDialog dialog(typeName, unitProcedureName, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.input();
}

std::optional<UnitProcedureEditInput>
CQtOperationDialogs::AskUnitProcedureEdit(const UnitProcedureEditInput& current, const QList<EquipmentChoice>& equipment)
{
    CUnitProcedureEditDialog dialog(current, equipment, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.input();
}

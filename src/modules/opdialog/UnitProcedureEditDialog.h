#pragma once
// The form of an existing unit procedure: its name (required), its primary equipment among the
// equipment of the step's facility (or none) and its comments.

#include "modules/opdialog/OperationDialogService.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

class CUnitProcedureEditDialog : public QDialog {
public:
    CUnitProcedureEditDialog(const UnitProcedureEditInput& current, const QList<EquipmentChoice>& equipment,
                             QWidget* parent = nullptr);
    UnitProcedureEditInput input() const;
    // OK: refused while the name is blank.
    void accept() override;

private:
    void fillEquipment(const QList<EquipmentChoice>& equipment, long selectedID);

    QLineEdit* m_name;
    QComboBox* m_equipment;
    QPlainTextEdit* m_comment;
};

#pragma once
// What the user enters in the operation dialogs, asked through one replaceable service: small Qt
// dialogs in the program, scripted answers in tests. Asking never writes; the writes are in
// OPDialog.h.

#include <QList>
#include <QString>
#include <optional>

class QWidget;

struct NewUnitProcedureInput {
    QString name;
    QString comment; // the unit procedure's user comments; may be empty
};

struct NewOperationInput {
    QString label; // the operation's label
};

// What the form of an existing unit procedure edits.
struct UnitProcedureEditInput {
    QString name;
    long primaryEquipmentID = -1; // -1: none
    QString comment;

    bool operator==(const UnitProcedureEditInput&) const = default;
};

// An equipment item the unit procedure may take as its primary equipment.
struct EquipmentChoice {
    long id = -1;
    QString tag;
};

class OperationDialogService {
public:
    virtual ~OperationDialogService() = default;
    // nullopt when the user cancelled.
    virtual std::optional<NewUnitProcedureInput> AskUnitProcedure(const QString& suggestedName) = 0;
    virtual std::optional<NewOperationInput> AskOperation(const QString& typeName,
                                                          const QString& unitProcedureName) = 0;
    // The edited values, starting from current; equipment lists the step's facility's items.
    virtual std::optional<UnitProcedureEditInput> AskUnitProcedureEdit(const UnitProcedureEditInput& /*current*/,
                                                                       const QList<EquipmentChoice>& /*equipment*/)
    {
        return std::nullopt;
    }
};

// The installed service; the Qt dialogs when none is installed.
OperationDialogService& GetOperationDialogService();

// The Qt dialogs, modal over the active window.
class CQtOperationDialogs : public OperationDialogService {
public:
    std::optional<NewUnitProcedureInput> AskUnitProcedure(const QString& suggestedName) override;
    std::optional<NewOperationInput> AskOperation(const QString& typeName,
                                                  const QString& unitProcedureName) override;
    std::optional<UnitProcedureEditInput> AskUnitProcedureEdit(const UnitProcedureEditInput& current,
                                                               const QList<EquipmentChoice>& equipment) override;
};

#pragma once
// The rows of one step database the object tree is built from. Each table is read whole by one
// query (inside the caller's read transaction) and kept by the id its readers look up: unit
// procedures and operations by id, parameter groups by operation, fields and ranges by group.
// The lists keep the order each per-row query gives: groups by sequence, index and id; fields
// and ranges by sub-group and id.

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

struct StepUnitProcedureRow {
    long primaryEquipmentID = -1;
    QString comments;
};

struct StepOperationRow {
    long operationTypeID = -1;
    long modelTypeID = -1;
    QString label;
    QString recipeText;
    QString comments;
    QString rangeText;
};

struct StepGroupRow {
    long groupID = -1;
    long groupTypeID = -1;
    long groupIndex = -1;
    long sequenceNumber = -1;
};

struct StepFieldRow {
    long fieldID = -1;
    long fieldTypeID = -1;
    long subGroupIndex = -1;
    std::optional<double> doubleValue;
    std::optional<long> longValue;
    std::optional<QString> stringValue;
    QString unit;
};

struct StepRangeRow {
    long rangeID = -1;
    long subGroupIndex = -1;
    long fieldTypeID = -1;
    long rangeTypeID = -1;
    long rangeCategory = 0;
    std::optional<double> low;
    std::optional<double> high;
    short lowWidth = -1;
    short highWidth = -1;
    QString lowUOM;
    QString highUOM;
};

class CAutomationStepRows {
public:
    // A table that does not open stays empty.
    void Read(long stepID);

    // Null when the step has no such row.
    const StepUnitProcedureRow* UnitProcedure(long unitProcedureID) const;
    const StepOperationRow* Operation(long operationID) const;
    QList<StepGroupRow> Groups(long operationID) const { return m_groups.value(operationID); }
    QList<StepFieldRow> Fields(long groupID) const { return m_fields.value(groupID); }
    // The group's ranges of one field: its sub-group and type, each -1 for any.
    QList<StepRangeRow> Ranges(long groupID, long subGroupIndex, long fieldTypeID) const;

private:
    void readUnitProcedures(long stepID);
    void readOperations(long stepID);
    void readGroups(long stepID);
    void readFields(long stepID);
    void readRanges(long stepID);

    QHash<long, StepUnitProcedureRow> m_unitProcedures;
    QHash<long, StepOperationRow> m_operations;
    QHash<long, QList<StepGroupRow>> m_groups;
    QHash<long, QList<StepFieldRow>> m_fields;
    QHash<long, QList<StepRangeRow>> m_ranges;
};

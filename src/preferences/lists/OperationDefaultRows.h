#pragma once
// The rows of the operation defaults as the dialog reads and writes them: read whole in display
// order, written back by OperationDefaultID in one statement, so a row that vanished meanwhile is
// skipped and the other rows keep their ids.

#include <QList>
#include <QString>
#include <optional>

class CDaoDatabase;

// ControlState: how a default is edited.
enum OperationDefaultKind : int {
    DEFAULT_VALUE_WITH_UNIT = 1,
    DEFAULT_VALUE = 2,
    DEFAULT_VALUE_WITH_LABEL = 3,
    DEFAULT_GAS = 4,
    DEFAULT_CHOICE = 5,
};

struct OperationDefaultRow {
    long id = 0;
    QString operationName, defaultName, controlLabel, unitList, comboList;
    int kind = 0;
    int validationRule = 0;
    double currentValue = 0, originalValue = 0;
    QString currentUnit, originalUnit;
};

// What one row gets: the value, the unit or choice key, or both.
struct OperationDefaultWrite {
    long id = 0;
    std::optional<double> value;
    std::optional<QString> unit;
};

// The rows in display order; false (after the recordset's message, if any) when they cannot be read.
bool ReadOperationDefaultRows(QList<OperationDefaultRow>* rows);
// The row of that id, or null.
const OperationDefaultRow* FindOperationDefaultRow(const QList<OperationDefaultRow>& rows, long id);
// Writes every row's new fields; raises CDaoException. The caller holds the transaction.
void WriteOperationDefaults(CDaoDatabase& database, const QList<OperationDefaultWrite>& writes);

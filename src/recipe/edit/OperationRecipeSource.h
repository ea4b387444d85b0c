#pragma once
// The data a paste copies from its source operations, read from the source step in one statement
// per table for all of them (their parameter groups, fields and ranges, recipe text and notes)
// instead of one read per operation and table.

#include <QHash>
#include <QList>
#include <QVariant>

class CDaoDatabase;

// One source operation's rows, each list in the order of its table's key.
struct OperationRecipeRows {
    QList<QVariantList> groups; // GroupID, GroupTypeID, GroupIndex, SequenceNumber
    QList<QVariantList>
        fields; // GroupID, SubGroupIndex, FieldTypeID, DoubleValue, LongValue, UOM, StringValue
    QList<QVariantList> ranges; // GroupID, SubGroupIndex, FieldTypeID, RangeTypeID, RangeCategory, Low,
                                // LowWidth, LowUOM, High, HighWidth, HighUOM
    QVariant recipeText;
    QVariantList notes; // UserComments, RangeText, SafetyNote
};

class COperationRecipeSource {
public:
    // Reads the rows of these operations of the source step; a database error raises CDaoException.
    COperationRecipeSource(CDaoDatabase& source, const QList<long>& operationIDs);

    // Null when the source has no such operation.
    const OperationRecipeRows* Find(long operationID) const;

private:
    QHash<long, OperationRecipeRows> m_operations;
};

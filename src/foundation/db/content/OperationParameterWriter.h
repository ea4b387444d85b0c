#pragma once
// Writes operation parameters into a step database: a group per operation, a field per value and
// the ranges of its fields. The operation dialog writes through a layer database (the connection's
// kept statements, inside the caller's transaction); the project generator through the builder's
// connection with a statement cache of its own. Either way every statement is prepared once.

#include "foundation/db/content/OperationParameters.h"
#include "foundation/db/connection/StatementCache.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

class CDaoDatabase;
class CSharedConnection;

struct OperationParameterValue {
    OperationField field = OperationField::Duration;
    double value = 1e35;
    QString uom;
};

// A field naming an item of the material database by its id.
struct LibraryReferenceValue {
    LibraryReferenceField field = LibraryReferenceField::Material;
    long itemID = -1;
};

struct OperationParameterRange {
    OperationField field = OperationField::Duration;
    long rangeTypeID = -1; // TblRangeLibrary of the project
    long rangeCategory = 0;
    long subGroupIndex = 1;
    double low = 1e35;
    short lowWidth = 0;
    QString lowUOM;
    double high = 1e35;
    short highWidth = 0;
    QString highUOM;
};

// What an operation of the type starts with: the type's defaults in file order, each replaced by
// an override of its field; overrides of fields without a default follow.
QList<OperationParameterValue> OperationParameterValues(long operationTypeID,
                                                        const QList<OperationParameterValue>& overrides = {});

class COperationParameterWriter {
public:
    // Through the kept statements of the database's connection.
    explicit COperationParameterWriter(CDaoDatabase& step);
    // Through a plain connection; the cache must be cleared before that connection closes.
    COperationParameterWriter(const QSqlDatabase& database, CStatementCache& cache);

    // A new group (type 1, index 1, sequence 1) of the operation; answers its GroupID.
    long WriteGroup(long operationID);
    // Answers the new FieldID / RangeID.
    long WriteField(long groupID, const OperationParameterValue& value, long subGroupIndex = 1);
    long WriteRange(long groupID, const OperationParameterRange& range);
    long WriteReference(long groupID, const LibraryReferenceValue& reference);
    // The operation's first group by sequence, index and id; -1 when it has none.
    long FirstGroup(long operationID);
    // Sets the value of the operation's first field of that type; false when it has none.
    bool UpdateFirstField(long operationID, const OperationParameterValue& value);
    // Sets the item of the operation's first reference field of that type (an id of 0 or less:
    // none); false when it has none.
    bool UpdateFirstReference(long operationID, const LibraryReferenceValue& reference);

private:
    void Run(StatementKind kind, const char* table, const char* sql, const QVariantList& values,
             const CStatementCache::RowReader& read);
    long Insert(const char* table, const char* sql, const QVariantList& values);

    CSharedConnection* m_connection = nullptr;
    QSqlDatabase m_database;
    CStatementCache* m_cache = nullptr;
};

// One group holding a field per default of the operation type; answers the GroupID. Runs inside
// the caller's transaction.
long WriteOperationParameterDefaults(CDaoDatabase& step, long operationID, long operationTypeID);
// Sets the operation's value of the field: its first field of that type, else a new field in its
// first group, else in a new group.
void WriteOperationParameter(CDaoDatabase& step, long operationID, OperationField field, double value,
                             const QString& uom);
// Names the item in the operation's first field of the reference's type, else in a new field of
// its first group (or a new group); an id of 0 or less clears the field.
void WriteOperationReference(CDaoDatabase& step, long operationID, const LibraryReferenceValue& reference);
// A range of the operation's first group (made when it has none); answers the RangeID.
long WriteOperationParameterRange(CDaoDatabase& step, long operationID, const OperationParameterRange& range);

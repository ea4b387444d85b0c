#pragma once
// Operation parameters of a step database (TblGroupData, TblFieldData, TblRangeData; field types in
// TblFieldLibrary) and the per-type defaults of data/operation-parameters.csv. The operation
// dialog writes them, the recipe text renders them, the engine reads them, scaling multiplies the
// scalable ones (amount and volume).

#include <QHash>
#include <QList>
#include <QString>

class CDaoDatabase;

// The field types every step database knows (TblFieldLibrary.FieldTypeID).
enum class OperationField : long { Duration = 100001, Amount = 100002, Volume = 100003, Temperature = 100004 };
// Field types whose LongValue holds the id of an item of the project's material database: a
// material ('MaterialID'), a reaction data set ('ReactionID'), a utility ('UtilityID'), the key
// component of the reaction ('KeyComponentID'); or of a row
// of the project database: a stream category ('StreamCategoryID'), a labour grade ('LaborID').
enum class LibraryReferenceField : long {
    Material = 100005,
    Reaction = 100006,
    Utility = 100007,
    StreamCategory = 100008,
    LaborGrade = 100009,
    KeyComponent = 100010, // the key component of the operation's reaction: a material
};

// "Duration", "Amount", "Volume", "Temperature" (TblFieldLibrary.FieldType); empty for others.
QString OperationFieldTypeName(OperationField field);
// False for a FieldType text that names none of them.
bool ParseOperationField(const QString& fieldType, OperationField* field);
// True for the fields scaling multiplies.
bool IsScalableField(OperationField field);

struct OperationParameterDefault {
    long operationTypeID = 0;
    OperationField field = OperationField::Duration;
    double value = 1e35;
    QString uom; // a unit of the built-in unit table
};

// The per-type defaults in file order (read once from the compiled-in data file).
const QList<OperationParameterDefault>& OperationParameterDefaults();
// The default of that field for the operation type; nullptr when the type has none.
const OperationParameterDefault* FindOperationParameterDefault(long operationTypeID, OperationField field);
// The defaults of a data file's text; empty with a description when a line is malformed.
QList<OperationParameterDefault> ParseOperationParameterDefaults(const QString& csvText, QString* errorText);

// One operation's values in the engine's units: duration s, amount kg, volume litres,
// temperature K. 1e35 = not given.
struct OperationParameters {
    double duration = 1e35;
    double amount = 1e35;
    double volume = 1e35;
    double temperature = 1e35;
};

// True for a unit of the built-in table that measures the field: a mass for an amount, a volume
// for a volume, a time for a duration, a temperature for a temperature (no rates or ratios).
bool IsOperationFieldUnit(OperationField field, const QString& uom);
// A stored value in the engine's unit for its field; 1e35 for an unset value or a unit that does not
// measure the field.
double ToEngineUnit(OperationField field, double value, const QString& uom);

// Every operation of the step database that has a field value, read in one statement. Where an
// operation holds a field more than once, the first by group sequence, group and sub-group wins.
QHash<long, OperationParameters> ReadOperationParameters(CDaoDatabase& stepDatabase);

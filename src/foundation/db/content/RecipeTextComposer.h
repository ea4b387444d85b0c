#pragma once
// The generated recipe text of an operation: its type's sentence pattern in the recipe language
// filled with the operation's values, or "<Type>: <field> <value> <unit>, ..." for a type without
// one. Numbers print with their stored unit as the unit table spells it, rounded under the
// project's bands when "RoundValues" is on; fields holding an id print the item's name (material,
// utility, reaction data set, stream category, labour grade), the unit procedure's equipment its
// tag, a transfer's destination by the step's unit-procedure transitions: the tag of the unit
// procedure it goes to, the choices of an Or block ("R-101 or R-102") or the branches of a Parallel
// block ("R-101 and R-102"), or "out of the step" when none follows. A missing value
// leaves its phrase out. Utilities, separations (stream categories), measured
// values (volumes) and the emission control path appear only with their option on. With "Ranges"
// on, the ranges of the chosen range types follow on a line of their own ("AddSpace": after a blank
// line). Comments never enter the text. The program's process-operation call and the sample
// generator both compose through here.

#include "foundation/db/project/ResultRoundingRules.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QSet>
#include <QString>
#include <QVariant>

#include <functional>

class CDaoDatabase;

struct RecipeTextField {
    QString fieldType; // TblFieldLibrary.FieldType ("Amount", "MaterialID", ...); empty without a row
    QString label;     // its label; "Field <id>" without a library row
    double number = 1e35;
    QVariant longValue;
    QString uom;
    QString text;
};

struct RecipeTextRange {
    QString label;
    long rangeTypeID = -1;
    double low = 1e35;
    QString lowUOM;
    double high = 1e35;
    QString highUOM;
};

struct RecipeTextOperation {
    long operationTypeID = -1;
    QString label;                 // QuorvantaLabel
    long equipmentID = -1;         // the unit procedure's primary equipment
    long plantID = -1;             // the step's facility
    QList<RecipeTextField> fields; // in group order
    QList<RecipeTextRange> ranges;
    // Where a transfer sends the contents (types whose pattern names {Destination}): the primary
    // equipment of the unit procedure its own goes to, or of each one it goes to in order (the
    // branches of a block, any one of them or all of them); out of the step when none follows.
    long destinationID = -1;
    QList<long> destinationIDs{};   // a block's branches: used in place of destinationID when given
    bool toAllDestinations = false; // a Parallel block's branches; else an Or block's choices
    bool leavesStep = false;
};

// What a regeneration reads once: the options, rounding, language and the names of the items the
// fields name.
struct RecipeTextSettings {
    QString language = QStringLiteral("English");
    QSet<QString> options;  // the flags that are on, in lower case
    QList<long> rangeTypes; // "RangeTypeID" rows in order
    QHash<long, QString> rangeTypeNames;
    CResultRoundingRules rounding;
    QHash<long, QString> typeNames, materials, reactionSets, equipment, streamCategories, laborGrades;
    QHash<QPair<long, long>, QString> emissionPaths; // by (plant, equipment): the default path's name
    QString rangesWord = QStringLiteral("Ranges");
    QString toWord = QStringLiteral("to");
    QString outOfStepWord = QStringLiteral("out of the step");
    QString orWord = QStringLiteral("or");
    QString andWord = QStringLiteral("and");

    bool IsOn(const char* option) const { return options.contains(QString::fromLatin1(option).toLower()); }
};

// The databases a regeneration reads; any may be null (its names and words stay empty or default).
struct RecipeTextSources {
    CDaoDatabase* project = nullptr;
    CDaoDatabase* equipment = nullptr;
    CDaoDatabase* material = nullptr;
    CDaoDatabase* language = nullptr;
};

// Reads the settings; a table that cannot be read leaves its part empty.
RecipeTextSettings LoadRecipeTextSettings(const RecipeTextSources& sources);
// The operation's row, unit procedure, fields and ranges through statements kept prepared on the
// step's connection (the recipe rows of that step); false when it has no row. Raises CDaoException
// on a failed read.
bool ReadRecipeTextOperation(CDaoDatabase& step, long stepID, long operationID, RecipeTextOperation& operation);
// The same of several operations of the step, read together in a few statements for all; those
// without a row are missing.
QHash<long, RecipeTextOperation> ReadRecipeTextOperations(CDaoDatabase& step, long stepID,
                                                          const QList<long>& operationIDs);
QString ComposeRecipeText(const RecipeTextOperation& operation, const RecipeTextSettings& settings);
// A pattern filled by value(name); an empty value is a missing one.
QString ExpandRecipeTextPattern(const QString& pattern, const std::function<QString(const QString&)>& value);

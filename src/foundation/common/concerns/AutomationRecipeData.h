#pragma once
// What the recipe editor hands the scripting object model when it refreshes one unit procedure or
// operation from the step database (ids are the database's).

#include <QList>
#include <QString>

struct AutomationUnitProcedureData {
    QString name;
    QString comments;             // empty when there are none
    long primaryEquipmentID = -1; // -1 when none is stored
};

struct AutomationFieldData {
    long fieldID = -1;
    long subGroupIndex = 1;
    long fieldTypeID = -1;
    double doubleValue = 1e35;
    long longValue = -1;
    QString uom;
    QString stringValue;
};

struct AutomationRangeData {
    long rangeID = -1;
    long subGroupIndex = 1;
    long fieldTypeID = -1;
    long rangeTypeID = -1;
    long rangeCategory = 0;
    double low = 1e35;
    short lowWidth = 0;
    QString lowUOM;
    double high = 1e35;
    short highWidth = 0;
    QString highUOM;
};

struct AutomationGroupData {
    long groupID = -1;
    long groupTypeID = 1;
    long groupIndex = 1;
    long sequenceNumber = 1;
    QList<AutomationFieldData> fields;
    QList<AutomationRangeData> ranges;
};

struct AutomationOperationData {
    QString label;
    QString recipeText;
    QString comments;
    QString rangeText;
    QList<AutomationGroupData> groups; // the operation's groups, rebuilt whole
};

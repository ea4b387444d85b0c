#pragma once
// One TextRecipe row as the shared-classes and recipe-data modules hand it out.

#include <QList>
#include <QString>

struct CDataExchangeTextRecipe {
    long ID = 0;
    QString Type;
    QString Label;
    QString OperationName;
    QString UnitProcedureName;
    long UPNumber = 0;
    long OPNumber = 0;
    long Indent = 1;
    long RecipeSequenceNumber = 0;
    bool Hide = false;
    long RowKey = 0;

    bool IsOperation() const { return Type.compare(QLatin1String("Operation"), Qt::CaseInsensitive) == 0; }
    bool IsUnitProcedure() const
    {
        return Type.compare(QLatin1String("Unit Procedure"), Qt::CaseInsensitive) == 0;
    }
};

class CDaoDatabase;

// The step's TextRecipe rows in recipe order (position, then row key); raises CDaoException when
// they cannot be read.
QList<CDataExchangeTextRecipe> ReadTextRecipeRows(CDaoDatabase& step, long stepID);

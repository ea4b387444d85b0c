#include "RevisionEdit.h"

#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DaoTransaction.h"

void ApplyRevision(CDaoDatabase& database, ProjectDatabaseKind kind, int revision)
{
    static const char* const UPDATES[] = {
        "UPDATE Project SET Description = ?", "UPDATE Plant SET Address = ?",
        "UPDATE ActualMaterialCommon SET Alias = ?", "UPDATE TextRecipe SET Label = ?"}; // by kind
    CDaoTransaction transaction(database);
    database.Execute(UPDATES[int(kind)], {QStringLiteral("Revision %1").arg(revision)});
    transaction.Commit();
}

#include "RevisionEdit.h"

#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoTransaction.h"

void ApplyRevision(CDaoDatabase& database, ProjectDatabaseKind kind, int revision)
{
    static const char* const UPDATES[] = {
        "UPDATE Project SET Description = ?", "UPDATE Plant SET Address = ?",
        "UPDATE ActualMaterialCommon SET Alias = ?", "UPDATE TextRecipe SET Label = ?"}; // by kind
    // A material row's change stamp would take the clock's time; the revision sets its own, so
    // the expected content does not depend on when it was written.
    QString sql = QString::fromLatin1(UPDATES[int(kind)]);
    if (kind == ProjectDatabaseKind::Material)
        sql += QStringLiteral(", LibraryStamp = %1").arg(revision);
    CDaoTransaction transaction(database);
    database.Execute(sql, {QStringLiteral("Revision %1").arg(revision)});
    transaction.Commit();
}

#include "RevisionEdit.h"

#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DaoTransaction.h"

#include <QString>

namespace {
QString updateOf(ProjectDatabaseKind kind)
{
    switch (kind) {
    case ProjectDatabaseKind::Project:
        return QStringLiteral("UPDATE Project SET Description = ?");
    case ProjectDatabaseKind::Equipment:
        return QStringLiteral("UPDATE Plant SET Address = ?");
    case ProjectDatabaseKind::Material:
        return QStringLiteral("UPDATE ActualMaterialCommon SET Alias = ?");
    case ProjectDatabaseKind::Step:
        break;
    }
    return QStringLiteral("UPDATE TextRecipe SET Label = ?");
}
} // namespace

void ApplyRevision(CDaoDatabase& database, ProjectDatabaseKind kind, int revision)
{
    CDaoTransaction transaction(database);
    database.Execute(updateOf(kind), {QStringLiteral("Revision %1").arg(revision)});
    transaction.Commit();
}

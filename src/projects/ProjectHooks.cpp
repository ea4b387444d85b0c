#include "projects/ProjectHooks.h"

#include "foundation/db/DatabaseFiles.h"

ProjectHooks::ProjectHooks()
    : cleanUpUtilityArray([] {}), closeMaterialProject([] {}), destroySharedSingletons([] {}),
      destroyMaterialSingletons([] {}), saveProjectAs([] { return false; }),
      convertStep([](const QString&) { return 0; }), regenerateStepRecipeText([](long) { return true; }),
      upgradeDatabase([](const QString& source, const QString& destination) {
          return CopyDatabaseFile(source, destination);
      })
{
}

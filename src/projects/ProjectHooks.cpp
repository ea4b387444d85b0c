#include "projects/ProjectHooks.h"

#include "modules/steputils/StepUtilsEntry.h"
#include "projects/ProjectVersion.h"

ProjectHooks::ProjectHooks()
    : cleanUpUtilityArray([] {}), closeMaterialProject([] {}), destroySharedSingletons([] {}),
      destroyMaterialSingletons([] {}), saveProjectAs([] { return false; }),
      convertStep([](const QString& path) { return StepUtilsEntry().convertStep(path, QString(), 1); }),
      regenerateStepRecipeText([](long) { return true; }), upgradeDatabase(UpgradeDatabase),
      updateRecipeTextOfAllSteps([] {}), synchroniseLibraries([] {})
{
}

#pragma once
// The outside modules and later features the project life cycle calls. Each hook is set once by
// whoever owns the feature; the defaults (ProjectHooks.cpp) do the least the callers rely on.

#include <QString>

#include <functional>

struct ProjectHooks {
    ProjectHooks();

    // Close: engine utility list, material module, shared singletons.
    std::function<void()> cleanUpUtilityArray;
    std::function<void()> closeMaterialProject;      // only while the frame has a project open
    std::function<void()> destroySharedSingletons;   // CSharedBrushes and CQVGlobalParams
    std::function<void()> destroyMaterialSingletons; // CMaterialPropertySet and CMaterialCommonSet
    // Save As of an untitled project; false = refused or failed, the project stays open.
    std::function<bool()> saveProjectAs;

    // Open (the step walk): the step module's conversion code for a step working copy
    // (4 failed, 2 converted, other = go on) and the recipe-text regeneration of a converted step.
    std::function<int(const QString& stepWorkingCopy)> convertStep;
    std::function<bool(long stepID)> regenerateStepRecipeText;
    // Makes destination a usable working copy of source (the upgrade copy of the version check).
    std::function<bool(const QString& source, const QString& destination)> upgradeDatabase;
    // Open, after a missing language template was replaced by the default one: every step's
    // recipe text again.
    std::function<void()> updateRecipeTextOfAllSteps;
    // Open, last step: brings imported materials and equipment in line with their libraries.
    std::function<void()> synchroniseLibraries;
};

#pragma once
// Material names and molecular weights for the plan calculation, read quietly from the project's
// material database. A missing weight counts as water's, in memory only.

#include <QString>

constexpr double PLAN_DEFAULT_MW = 18.02;

enum class MaterialLookup { NotOpen, Missing, Found };

// The master row of the material: its name when found.
MaterialLookup LookUpMaterialName(long materialID, QString* name);
// Property 1 as stored: 1e35 when missing.
double StoredMolecularWeight(long materialID);
// Property 1, or 18.02 when it is missing or unset.
double MolecularWeightOrDefault(long materialID);

#pragma once
// Material properties (ActualMaterialProperty.MaterialPropertyID) that the program itself reads, and
// the figures used when a material lacks them.

// Molecular weight, kg/kmol.
inline constexpr long MATERIAL_PROPERTY_MOLECULAR_WEIGHT = 1;
// Density, stored in "kg/Cubic m" (another mass-per-volume unit of the unit table is converted).
inline constexpr long MATERIAL_PROPERTY_DENSITY = 2;
// Marks a material as a utility.
inline constexpr long MATERIAL_PROPERTY_UTILITY = 469;

inline constexpr const char* MATERIAL_DENSITY_UOM = "kg/Cubic m";
inline constexpr double DEFAULT_MOLECULAR_WEIGHT = 18.02; // kg/kmol
inline constexpr double DEFAULT_DENSITY = 1000.0;         // kg/m3

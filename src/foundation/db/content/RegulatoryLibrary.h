#pragma once
// The regulatory-categories library file, built from schema/regulatory.sql into the install data
// folder at build time and only read afterwards.

#include <QString>

inline constexpr const char* REGULATORY_LIBRARY_FILE = "RegulatoryCategories.mdb";

// Writes the library at path (replacing an earlier one through the layer's delete); false with
// *errorText set when it cannot be written, and no file left behind.
bool BuildRegulatoryLibrary(const QString& path, QString* errorText);

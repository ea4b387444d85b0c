#pragma once
// The data source text a caller names picks where material rows come from: the project's own
// material database (empty text) or one of the three databanks. Compared without regard to case.

#include <QString>

enum class MaterialDataSource { Project, PureComponents, Inorganics, Solids, Unknown };

MaterialDataSource MaterialDataSourceOf(const QString& text);

// The view of material master rows, and the table of property rows, of each source; empty for
// an unknown one.
QString MaterialCommonSourceOf(MaterialDataSource source);
QString MaterialPropertyTableOf(MaterialDataSource source);

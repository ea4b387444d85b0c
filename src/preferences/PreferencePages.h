#pragma once
// The four preference editors the hub opens, each run modally on the open project.

class QWidget;

// Model Selection: not shown when the stored choices cannot be read (IDCANCEL then).
int RunOperationModelPreferences(QWidget* parent);
int RunPhysicalPropertyPreferences(QWidget* parent);
int RunRouteSelectionPreferences(QWidget* parent);
// Rounding: *saved tells whether OK validated and stored the bands.
int RunResultsPreferences(QWidget* parent, bool* saved);

#pragma once
// The plans' user-defined sequence files travel with the project when it is saved elsewhere.

#include <QString>

// Copies the sequence file of each plan of the open project that has one from the old project
// folder to the new; false when one could not be copied (the others are copied all the same).
bool CopyPlanSequenceFiles(const QString& fromFolder, const QString& toFolder);

#pragma once
// What the process and plan run reads and removes: the run options, the process's steps, a step's
// batch label and the old results of the run.

#include <QList>
#include <QString>

// AirEmission, ResultsDatabase, OverFlow and UnderFlow of an option row; 1 for a null field or a
// missing row.
struct RunOptionValues {
    int airEmission = 1;
    int resultsDatabase = 1;
    int overFlow = 1;
    int underFlow = 1;
};
RunOptionValues ReadRunOptions(const QString& optionType);

// The process's steps in its step order; empty when they cannot be read.
QList<long> ProcessStepIDs(long processID);
// StepName + "(" + StepVersionName + ")" of the step's row; `previous` when the row is missing.
QString StepBatchLabel(long stepID, const QString& previous);
QString RunDialogTitle(bool process, bool userSequence);

// Removes the project folder's results file of exactly that name, ignoring case (never one that
// merely begins with it), through the database layer.
void DeleteRunResults(const QString& fileName);

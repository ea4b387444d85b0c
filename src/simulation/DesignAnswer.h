#pragma once
// The answer of a design run as the user reads it when the run ends: the batches, batch size,
// scale factor, cycle time and feasibility of its summary row, the equipment it chose for each
// unit procedure (fixed, changed, volume needed of the capacity) and its remarks, among them each
// material whose volume its balance took at the default density.

#include <QString>

QString DesignAnswerText(long stepID);
// What is told of a design that left no answer.
QString DesignNoAnswerText(long stepID);

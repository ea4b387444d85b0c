#pragma once
// The open recipe documents of a step keep the step's title and facility as its [Step] row has them.

// Reads the step's row and stores "Name (Version)" and the facility id in every open document of
// the step; false (nothing changed) when the row cannot be read.
bool UpdateStepTitleInDocuments(long stepID);

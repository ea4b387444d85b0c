#pragma once
// Where an insert into the text-recipe view goes and what numbers the new line takes.

// A new operation line: its index, numbers, owning unit procedure and indent.
struct OperationPlace {
    int selected = -1; // the first selected line
    int index = -1;    // where the new line goes
    long unitProcedureNumber = 0;
    long operationNumber = 1;
    long parentID = -1; // the owning unit procedure
    bool parentHidden = false;
    int indent = 1;
    int top = 0;
};

// A new unit-procedure line.
struct UnitProcedurePlace {
    int index = -1; // where the new line goes; -1 appends
    long number = 1;
    int indent = 1;
    int top = 0;
};

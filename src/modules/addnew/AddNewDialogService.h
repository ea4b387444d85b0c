#pragma once
// What the user enters for a process or a step, asked through one replaceable service: the Qt
// dialogs in the program, scripted answers in tests. Asking never writes; the writes are in
// AddNewWriter.h.

#include <QList>
#include <QString>

struct ProcessForm {
    bool editing = false;
    long processID = -1; // the process edited; -1 for a new one
    QString name;
    QString version;
    QString description;
};

// A choice of a list: an id and the text shown.
struct AddNewChoice {
    long id = -1;
    QString text;
};

struct StepForm {
    bool editing = false;
    long processID = -1;  // the process a new step goes to
    long stepID = -1;     // the step edited; -1 for a new one
    QString processLabel; // "Name (Version)" of the process the step is in or goes to
    QString name;
    QString version;
    QString description;
    long facilityID = -1;
    QList<AddNewChoice> facilities;
    // New steps only: steps of other processes the new one may link instead; the answer's
    // linkStepID (-1: a new step) picks one.
    QList<AddNewChoice> linkable;
    long linkStepID = -1;
};

class AddNewDialogService {
public:
    virtual ~AddNewDialogService() = default;
    // False when the user cancelled; the form holds the answer otherwise.
    virtual bool AskProcess(ProcessForm& form) = 0;
    virtual bool AskStep(StepForm& form) = 0;
};

// The installed service; the Qt dialogs when none is installed.
AddNewDialogService& GetAddNewDialogService();

// The Qt dialogs, modal over the active window.
class CQtAddNewDialogs : public AddNewDialogService {
public:
    bool AskProcess(ProcessForm& form) override;
    bool AskStep(StepForm& form) override;
};

#pragma once
// The seam in front of the read-only warning dialog: the real dialog in the program, scripted
// answers in tests. nullptr = the built-in widget dialog.

#include <QString>

struct WarningDialogRequest {
    QString targetFolder;
    QString warningText;
    QString actionsText;
    bool checkBoxOffered = true;
};

struct WarningDialogAnswer {
    int result = 0;            // IDOK or IDCANCEL
    bool dontAskAgain = false; // the check box as the user left it
};

class WarningDialogService {
public:
    virtual ~WarningDialogService() = default;
    virtual WarningDialogAnswer show(const WarningDialogRequest& request) = 0;
};

WarningDialogService* SetWarningDialogService(WarningDialogService* service); // returns the previous one
WarningDialogService* GetWarningDialogService();

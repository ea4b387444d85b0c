#pragma once
// The seam in front of the project dialogs (Save As, New Project, templates, the start-up chooser):
// the dialog runs modally in the program; tests install a driver that fills the real widgets and
// presses their buttons. While prompts answer unseen (automation), a dialog cancels unseen.

class QDialog;

class ProjectDialogService {
public:
    virtual ~ProjectDialogService() = default;
    // IDOK or IDCANCEL.
    virtual int Run(QDialog& dialog) = 0;
};

ProjectDialogService* SetProjectDialogService(ProjectDialogService* service); // returns the previous one
ProjectDialogService* GetProjectDialogService();

// Runs the dialog through the installed service, else modally; IDOK or IDCANCEL.
int RunProjectDialog(QDialog& dialog);

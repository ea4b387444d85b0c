#pragma once
// The seam in front of the dialogs of a library synchronisation: the update list, which answers
// one mark per item only when the user closed it with OK, and the name clash dialogs, run on their
// own widgets and checks. The program installs the widget dialogs; tests install scripted ones.
// Without a service, or while prompts answer unseen (automation), the list answers no marks and
// a clash dialog is cancelled: nothing is applied.

#include "library/UpdateItem.h"

#include <optional>
#include <vector>

class CSelectSourceDlg;

class LibraryUpdateDialogs {
public:
    virtual ~LibraryUpdateDialogs() = default;
    virtual std::optional<std::vector<bool>> ChooseUpdates(const QString& kind,
                                                           const std::vector<UpdateItem*>& items) = 0;
    // IDOK or IDCANCEL.
    virtual int RunNameClash(CSelectSourceDlg& dialog) = 0;
};

LibraryUpdateDialogs* SetLibraryUpdateDialogs(LibraryUpdateDialogs* dialogs); // returns the previous one
LibraryUpdateDialogs* GetLibraryUpdateDialogs();

// Through the installed service with the wait cursor lifted; marks only for every item.
std::optional<std::vector<bool>> ChooseLibraryUpdates(const QString& kind, const std::vector<UpdateItem*>& items);
int RunNameClashDialog(CSelectSourceDlg& dialog);
// A message of the run, with the wait cursor lifted.
int ShowSynchronisationMessage(const QString& text, unsigned flags);

#pragma once
// The program's dialogs of a library synchronisation: the update dialog with its list, and the
// name clash dialogs, run modally.

#include "library/LibraryUpdateDialogs.h"

class CLibraryUpdateWidgets : public LibraryUpdateDialogs {
public:
    std::optional<std::vector<bool>> ChooseUpdates(const QString& kind, const std::vector<UpdateItem*>& items) override;
    int RunNameClash(CSelectSourceDlg& dialog) override;
};

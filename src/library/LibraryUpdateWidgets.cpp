#include "library/LibraryUpdateWidgets.h"

#include "foundation/common/MessageBox.h"
#include "library/SelectSourceDlg.h"
#include "library/UpdateDlg.h"

#include <memory>

std::optional<std::vector<bool>> CLibraryUpdateWidgets::ChooseUpdates(const QString& kind,
                                                                      const std::vector<UpdateItem*>& items)
{
    CUpdateDlg dialog;
    dialog.Fill(kind, items);
    dialog.DoModal();
    const auto marks = std::make_unique<bool[]>(items.size());
    if (!dialog.GetMarks(marks.get(), int(items.size())))
        return std::nullopt; // Esc or the close box: nothing is applied
    return std::vector<bool>(marks.get(), marks.get() + items.size());
}

int CLibraryUpdateWidgets::RunNameClash(CSelectSourceDlg& dialog)
{
    return dialog.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

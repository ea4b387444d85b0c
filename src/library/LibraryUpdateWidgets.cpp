#include "library/LibraryUpdateWidgets.h"

#include "foundation/common/MessageBox.h"
#include "library/SelectSourceDlg.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

std::optional<std::vector<bool>> CLibraryUpdateWidgets::ChooseUpdates(const QString&,
                                                                      const std::vector<UpdateItem*>& items)
{
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Update"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* list = new QListWidget(&dialog);
    for (const UpdateItem* item : items) {
        auto* row = new QListWidgetItem(item->serverName, list);
        row->setCheckState(Qt::Checked);
    }
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    std::vector<bool> marks;
    for (int i = 0; i < list->count(); ++i)
        marks.push_back(list->item(i)->checkState() == Qt::Checked);
    return marks;
}

int CLibraryUpdateWidgets::RunNameClash(CSelectSourceDlg& dialog)
{
    return dialog.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

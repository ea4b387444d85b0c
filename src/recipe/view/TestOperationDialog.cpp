#include "recipe/view/TestOperationDialog.h"

#include "foundation/common/MessageBox.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
constexpr int LOWEST_TYPE_ID = 0;
constexpr int HIGHEST_TYPE_ID = 200;

TestOperationTypeSource& InstalledTypeSource()
{
    static TestOperationTypeSource source;
    return source;
}
} // namespace

CTestOperationDialog::CTestOperationDialog(QWidget* parent) : QDialog(parent), m_edit(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Test New Operations Dialog"));
    m_edit->setObjectName(QStringLiteral("1308"));
    m_edit->setText(QString::number(m_operationTypeID));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Enter operation type id:"), this));
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
}

void CTestOperationDialog::accept()
{
    bool ok = false;
    const int value = m_edit->text().trimmed().toInt(&ok);
    if (!ok) {
        QvMessageBox(QStringLiteral("Please enter an integer."), MB_OK | MB_ICONEXCLAMATION);
    } else if (value < LOWEST_TYPE_ID || value > HIGHEST_TYPE_ID) {
        QvMessageBox(QStringLiteral("Please enter an integer between %1 and %2.")
                         .arg(LOWEST_TYPE_ID)
                         .arg(HIGHEST_TYPE_ID),
                     MB_OK | MB_ICONEXCLAMATION);
    } else {
        m_operationTypeID = value;
        QDialog::accept();
        return;
    }
    m_edit->selectAll();
    m_edit->setFocus();
}

std::optional<int> AskTestOperationTypeID(QWidget* parent)
{
    if (InstalledTypeSource())
        return InstalledTypeSource()(parent);
    CTestOperationDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.operationTypeID();
}

TestOperationTypeSource SetTestOperationTypeSource(TestOperationTypeSource source)
{
    return std::exchange(InstalledTypeSource(), std::move(source));
}

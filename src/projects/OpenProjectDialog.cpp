#include "projects/OpenProjectDialog.h"

#include "foundation/controls/TitledListCtrl.h"
#include "projects/ProjectDialogService.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
const QString MORE_FILES = QStringLiteral("More Files...");
}

COpenProjectDialog::COpenProjectDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Tamro Plenthover"));
    BuildControls();
}

void COpenProjectDialog::BuildControls()
{
    auto* layout = new QVBoxLayout(this);
    static const char* const texts[] = {"Create a new blank Project",
                                        "Create a new project based on a Tamro Plenthover Project Template",
                                        "Open an existing Project"};
    auto* group = new QButtonGroup(this);
    for (int choice = 0; choice < 3; ++choice) {
        m_choiceButtons[choice] = new QRadioButton(QString::fromLatin1(texts[choice]), this);
        group->addButton(m_choiceButtons[choice], choice);
        layout->addWidget(m_choiceButtons[choice]);
    }
    connect(group, &QButtonGroup::idClicked, this, [this] { OnChoiceChange(); });
    m_fileList = new CTitledListCtrl(this);
    m_fileList->SetColumns({QStringLiteral("Project Files")});
    m_fileList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_fileList->setColumnWidth(0, 530);
    connect(m_fileList, &QTreeWidget::itemDoubleClicked, this, [this] { OnDoubleClick(); });
    layout->addWidget(m_fileList);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &COpenProjectDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &COpenProjectDialog::reject);
    layout->addWidget(buttons);
}

int COpenProjectDialog::DoModal()
{
    InitDialog();
    return RunProjectDialog(*this);
}

void COpenProjectDialog::showEvent(QShowEvent* event)
{
    InitDialog();
    QDialog::showEvent(event);
}

void COpenProjectDialog::InitDialog()
{
    if (m_bInitialized)
        return;
    m_bInitialized = true;
    FillFileList();
    UpdateData(false);
}

void COpenProjectDialog::FillFileList()
{
    m_fileList->DeleteAllItems();
    m_fileList->InsertItem(0, MORE_FILES);
    for (const QString& file : std::as_const(m_strRecentFiles))
        m_fileList->InsertItem(m_fileList->GetItemCount(), file);
    m_fileList->setCurrentItem(m_fileList->topLevelItem(0));
    m_fileList->resizeColumnToContents(0);
    m_choiceButtons[BlankProject]->setEnabled(m_bBlankAllowed);
}

void COpenProjectDialog::UpdateData(bool saveAndValidate)
{
    if (saveAndValidate) {
        for (int choice = 0; choice < 3; ++choice) {
            if (m_choiceButtons[choice]->isChecked())
                m_nChoice = choice;
        }
        return;
    }
    if (m_nChoice >= 0 && m_nChoice < 3)
        m_choiceButtons[m_nChoice]->setChecked(true);
    OnChoiceChange();
}

void COpenProjectDialog::OnChoiceChange()
{
    m_fileList->setEnabled(m_choiceButtons[ExistingProject]->isChecked());
}

void COpenProjectDialog::accept()
{
    UpdateData(true);
    const int row = m_fileList->GetSelectedRow();
    if (row >= 0)
        m_strSelectedFile = m_fileList->GetItemText(row, 0);
    QDialog::accept();
}

void COpenProjectDialog::OnDoubleClick()
{
    accept();
}

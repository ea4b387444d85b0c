#include "projects/NewProject.h"

#include "foundation/common/HelpService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/NameCheck.h"
#include "foundation/common/PathHelpers.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/controls/MyBrowseForFolder.h"
#include "foundation/controls/RichText.h"
#include "projects/ProjectDialogService.h"
#include "projects/ProjectFolderChecks.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr long NEW_PROJECT_HELP_TOPIC = 5;
}

CNewProject::CNewProject(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("New Project"));
    BuildControls();
    AppContext* app = GetAppContext();
    m_strBaseFolder = app && app->paths() ? WithSlash(app->paths()->workingDir()) : QString();
    m_strDirectory = m_strBaseFolder;
    UpdateData(false);
}

void CNewProject::BuildControls()
{
    auto* form = new QFormLayout(this);
    m_nameEdit = new QLineEdit(this);
    form->addRow(QStringLiteral("Project Name :"), m_nameEdit);
    m_directoryEdit = new QLineEdit(this);
    m_browseButton = new QPushButton(QStringLiteral("..."), this);
    auto* directoryRow = new QHBoxLayout;
    directoryRow->addWidget(m_directoryEdit);
    directoryRow->addWidget(m_browseButton);
    form->addRow(QStringLiteral("Project Directory :"), directoryRow);
    m_descriptionEdit = new CRichText(this);
    form->addRow(QStringLiteral("Project Description :"), m_descriptionEdit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CNewProject::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_nameEdit, &QLineEdit::textEdited, this, &CNewProject::OnNameChange);
    connect(m_browseButton, &QPushButton::clicked, this, &CNewProject::OnBrowse);
}

void CNewProject::UpdateData(bool saveAndValidate)
{
    if (saveAndValidate) {
        m_strName = m_nameEdit->text();
        m_strDirectory = m_directoryEdit->text();
        m_strDescription = m_descriptionEdit->GetText();
        return;
    }
    m_nameEdit->setText(m_strName);
    m_directoryEdit->setText(m_strDirectory);
    m_descriptionEdit->SetText(m_strDescription);
}

void CNewProject::OnNameChange()
{
    m_directoryEdit->setText(m_strBaseFolder + m_nameEdit->text());
}

void CNewProject::OnBrowse()
{
    CMyBrowseForFolder picker(this);
    picker.SetTitle(QStringLiteral("Please select a folder below :"));
    picker.SetInitialFolder(WithoutSlash(m_strBaseFolder));
    if (!picker.Browse())
        return;
    m_strBaseFolder = WithSlash(picker.GetPath());
    m_directoryEdit->setText(m_strBaseFolder + m_nameEdit->text());
}

void CNewProject::OnHelp()
{
    DisplayHelp(GetHelpFileName(), NEW_PROJECT_HELP_TOPIC);
}

bool CNewProject::event(QEvent* event)
{
    if (event->type() == QEvent::WhatsThis || event->type() == QEvent::EnterWhatsThisMode) {
        OnHelp();
        return true;
    }
    return QDialog::event(event);
}

void CNewProject::accept()
{
    OnOK();
}

bool CNewProject::OnOK()
{
    UpdateData(true);
    m_strReplacedFolder.clear();
    if (!CheckName() || !CheckDirectory() || !CheckExistingProject())
        return false;
    QDialog::accept();
    return true;
}

bool CNewProject::Refuse(const QString& text, QLineEdit* field)
{
    QvMessageBox(text, MB_OK | MB_ICONSTOP);
    field->setFocus();
    field->selectAll();
    return false;
}

bool CNewProject::CheckName()
{
    const QString noName = QStringLiteral("Please specify new project name!");
    if (m_strName.isEmpty())
        return Refuse(noName, m_nameEdit);
    if (m_strName.startsWith(QLatin1String("step_"), Qt::CaseInsensitive)) {
        QvMessageBox(QStringLiteral("Project name cannot start with '%1'.\nPlease enter a new name.").arg(m_strName.left(5)),
                     MB_OK | MB_ICONSTOP);
        m_nameEdit->setText(m_strName.remove(QLatin1Char('_')));
        m_nameEdit->setFocus();
        return false;
    }
    if (IsInvalidName(m_strName)) {
        m_nameEdit->setText(m_strName);
        m_nameEdit->setFocus();
        return false;
    }
    if (m_strName.endsWith(QLatin1String(".prj"), Qt::CaseInsensitive))
        m_strName.chop(4);
    return !m_strName.isEmpty() || Refuse(noName, m_nameEdit);
}

bool CNewProject::CheckDirectory()
{
    if (m_strDirectory.isEmpty())
        return Refuse(QStringLiteral("Please specify new project directory!"), m_directoryEdit);
    if (m_strDirectory.endsWith(QLatin1String(".prj"), Qt::CaseInsensitive))
        m_strDirectory.chop(4);
    m_strDirectory = WithoutSlash(QDir::cleanPath(m_strDirectory));
    return true;
}

// True when the dialog may close: a new folder, a folder without a project, or the replace agreed.
bool CNewProject::CheckExistingProject()
{
    if (!QFileInfo(m_strDirectory).isDir()) {
        if (QDir().mkpath(m_strDirectory) && QFileInfo(m_strDirectory).isDir())
            return true;
        QvMessageBox("Failed to create the directory '" + m_strDirectory + "' !");
        return false;
    }
    if (!HoldsProjectFile(m_strDirectory))
        return true;
    if (IsInUseElsewhere(m_strDirectory, m_strOwnMarker))
        return Refuse("Another instance of Tamro Plenthover is working on the project in " + m_strDirectory +
                          ". Please specify a different directory?",
                      m_directoryEdit);
    if (QvMessageBox("Another Tamro Plenthover project already exists in " + m_strDirectory +
                         ". Do you want to replace it?",
                     MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;
    m_strReplacedFolder = m_strDirectory; // its project goes once the new files are written
    return true;
}

int CNewProject::DoModal()
{
    return RunProjectDialog(*this);
}

#include "projects/SaveAsProjectDialog.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/NameCheck.h"
#include "foundation/common/PathHelpers.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/controls/MyBrowseForFolder.h"
#include "projects/ProjectDialogService.h"
#include "projects/ProjectFolderChecks.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>

namespace {
PathProvider* SaveAsPaths()
{
    return GetAppContext() ? GetAppContext()->paths() : nullptr;
}

QString ChopFileExtension(const QString& name)
{
    for (const char* extension : {".prj", ".qvt"}) {
        if (name.endsWith(QLatin1String(extension), Qt::CaseInsensitive))
            return name.chopped(4);
    }
    return name;
}
} // namespace

CSaveAsProjectDialog::CSaveAsProjectDialog(bool templateMode, QWidget* parent)
    : QDialog(parent), m_strType(templateMode ? TEMPLATE_FILE_TYPE : PROJECT_FILE_TYPE),
      m_writeTest(PassesWriteTest), m_bTemplateMode(templateMode)
{
    setWindowTitle(QStringLiteral("Save As"));
    BuildControls();
    OnInitDialog();
}

void CSaveAsProjectDialog::BuildControls()
{
    auto* form = new QFormLayout(this);
    m_nameEdit = new QLineEdit(this);
    form->addRow(QStringLiteral("Name:"), m_nameEdit);
    m_directoryEdit = new QLineEdit(this);
    m_browseButton = new QPushButton(QStringLiteral("Browse..."), this);
    auto* directoryRow = new QHBoxLayout;
    directoryRow->addWidget(m_directoryEdit);
    directoryRow->addWidget(m_browseButton);
    form->addRow(QStringLiteral("Directory:"), directoryRow);
    m_typeLabel = new QLabel(QStringLiteral("Type:"), this);
    m_typeCombo = new QComboBox(this);
    m_typeCombo->addItems({PROJECT_FILE_TYPE, TEMPLATE_FILE_TYPE});
    form->addRow(m_typeLabel, m_typeCombo);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSaveAsProjectDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_nameEdit, &QLineEdit::textEdited, this, &CSaveAsProjectDialog::OnNameChange);
    connect(m_browseButton, &QPushButton::clicked, this, &CSaveAsProjectDialog::OnBrowse);
    connect(m_typeCombo, &QComboBox::activated, this, &CSaveAsProjectDialog::OnTypeChange);
}

void CSaveAsProjectDialog::OnInitDialog()
{
    if (m_bTemplateMode) {
        QSettings* profile = GetAppContext() ? GetAppContext()->profile() : nullptr;
        QString folder = profile ? profile->value(QStringLiteral("User Project Template Dir/Dir")).toString()
                                 : QString();
        if (folder.isEmpty())
            folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        m_strDirectory = WithoutSlash(folder);
        m_typeLabel->hide();
        m_typeCombo->hide();
    } else {
        m_strDirectory = WorkingFolder();
    }
    if (SortServices* sort = GetSortServices())
        sort->SortComboBoxItems(m_typeCombo);
    UpdateData(false);
}

QString CSaveAsProjectDialog::WorkingFolder() const
{
    PathProvider* paths = SaveAsPaths();
    return paths ? WithSlash(paths->workingDir()) : QString();
}

void CSaveAsProjectDialog::UpdateData(bool saveAndValidate)
{
    if (saveAndValidate) {
        m_strName = m_nameEdit->text();
        m_strDirectory = m_directoryEdit->text();
        m_strType = m_typeCombo->currentIndex() < 0 ? QString() : m_typeCombo->currentText();
        return;
    }
    m_nameEdit->setText(m_strName);
    m_directoryEdit->setText(m_strDirectory);
    m_typeCombo->setCurrentIndex(m_typeCombo->findText(m_strType));
}

// A project gets a folder of its own name.
void CSaveAsProjectDialog::OnNameChange()
{
    const QString type = m_typeCombo->currentIndex() < 0 ? QString() : m_typeCombo->currentText();
    if (m_bTemplateMode || type.isEmpty() || type.compare(TEMPLATE_FILE_TYPE, Qt::CaseInsensitive) == 0)
        return;
    const QString directory = m_directoryEdit->text();
    m_directoryEdit->setText(directory.left(directory.lastIndexOf(QLatin1Char('/')) + 1) + m_nameEdit->text());
}

void CSaveAsProjectDialog::OnBrowse()
{
    CMyBrowseForFolder picker(this);
    picker.SetTitle(QStringLiteral("Please select a folder below :"));
    picker.SetInitialFolder(m_directoryEdit->text().chopped(qMin<qsizetype>(1, m_directoryEdit->text().size())));
    if (!picker.Browse())
        return;
    const bool projectType = !m_bTemplateMode && m_typeCombo->currentText() != TEMPLATE_FILE_TYPE;
    m_directoryEdit->setText(projectType ? FolderAndName(picker.GetPath(), m_nameEdit->text())
                                         : WithoutSlash(picker.GetPath()));
}

void CSaveAsProjectDialog::OnTypeChange()
{
    PathProvider* paths = SaveAsPaths();
    if (!paths)
        return;
    if (m_typeCombo->currentText() == TEMPLATE_FILE_TYPE)
        m_directoryEdit->setText(WithoutSlash(paths->userTemplateDir()));
    else
        m_directoryEdit->setText(WithSlash(paths->workingDir()) + m_nameEdit->text());
}

void CSaveAsProjectDialog::accept()
{
    OnOK();
}

bool CSaveAsProjectDialog::OnOK()
{
    UpdateData(true);
    m_bSameFolder = false;
    m_strReplacedFolder.clear();
    if (!CheckName() || !CheckDirectory() || !CheckReservedFolders() || !CheckTarget())
        return false;
    QDialog::accept();
    return true;
}

bool CSaveAsProjectDialog::Refuse(const QString& text, QLineEdit* field)
{
    QvMessageBox(text, MB_OK | MB_ICONSTOP);
    field->setFocus();
    field->selectAll();
    return false;
}

bool CSaveAsProjectDialog::CheckName()
{
    const QString noName = QStringLiteral("Please specify name!");
    if (m_strName.isEmpty())
        return Refuse(noName, m_nameEdit);
    if (m_strType.isEmpty())
        return Refuse(QStringLiteral("Please specify file type!"), m_nameEdit);
    m_strName = ChopFileExtension(m_strName);
    if (m_strName.isEmpty())
        return Refuse(noName, m_nameEdit);
    if (IsInvalidName(m_strName)) {
        m_nameEdit->setText(m_strName);
        m_nameEdit->setFocus();
        return false;
    }
    return true;
}

// The folder to test is the directory's parent for a project (the directory may be made below).
bool CSaveAsProjectDialog::CheckDirectory()
{
    if (m_strDirectory.isEmpty())
        return Refuse(QStringLiteral("Please specify new project directory!"), m_directoryEdit);
    m_strDirectory = WithoutSlash(QDir::cleanPath(m_strDirectory));
    QString testFolder = m_strDirectory;
    if (!m_bTemplateMode) {
        const qsizetype slash = m_strDirectory.lastIndexOf(QLatin1Char('/'));
        testFolder = slash <= 0 ? QStringLiteral("/") : m_strDirectory.left(slash);
    }
    if (!QFileInfo::exists(testFolder)) {
        QvMessageBox(QStringLiteral("'%1' does not exist, please select an existed directory.").arg(testFolder));
        return false;
    }
    if (!m_writeTest(testFolder)) {
        QvMessageBox(
            QStringLiteral("'%1' is read only, please choose one directory with write permission.").arg(testFolder));
        return false;
    }
    return true;
}

bool CSaveAsProjectDialog::CheckReservedFolders()
{
    PathProvider* paths = SaveAsPaths();
    if (!paths)
        return true;
    if (IsAtOrBelow(m_strDirectory, paths->workingCopiesRoot()) || IsAtOrBelow(m_strDirectory, paths->instanceTempDir())) {
        QvMessageBox(QStringLiteral("This Tamro Plenthover temporary directory is read only! Please choose "
                                    "different one."));
        return false;
    }
    if (IsSameFolder(m_strDirectory, paths->standardTemplateDir())) {
        QvMessageBox(QStringLiteral("This Tamro Plenthover Standard Templates directory is read only! Please "
                                    "choose different one."));
        return false;
    }
    return true;
}

// True when the dialog may close: a new folder made, nothing to replace, or the replace agreed.
bool CSaveAsProjectDialog::CheckTarget()
{
    if (!QFileInfo(m_strDirectory).isDir()) {
        if (QDir().mkpath(m_strDirectory) && QFileInfo(m_strDirectory).isDir())
            return true;
        QvMessageBox(QStringLiteral("Failed to create the directory!"));
        return false;
    }
    const bool matches = IsTemplateType() ? QFileInfo::exists(FolderAndName(m_strDirectory, m_strName + ".qvt"))
                                          : HoldsProjectFile(m_strDirectory);
    if (!matches)
        return true;
    if (IsInUseElsewhere(m_strDirectory, m_strOwnMarker)) {
        QvMessageBox("Another instance of Tamro Plenthover is working on the project in " + m_strDirectory +
                         ". Please specify a different directory?",
                     MB_OK);
        return false;
    }
    return ConfirmReplace();
}

bool CSaveAsProjectDialog::ConfirmReplace()
{
    const QString question =
        IsTemplateType()
            ? "Another Tamro Plenthover Project Template with same name already exists in " + m_strDirectory +
                  ". Do you want to replace it?"
            : "Another Tamro Plenthover Project already exists in " + m_strDirectory + ". Do you want to replace it?";
    if (QvMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;
    if (!IsTemplateType()) {
        m_bSameFolder = IsSameFolder(GetProjectDir(), m_strDirectory);
        m_strReplacedFolder = m_strDirectory; // its project goes once the new files are written
    }
    return true;
}

int CSaveAsProjectDialog::DoModal()
{
    return RunProjectDialog(*this);
}

#include "projects/NetSelectDialog.h"

#include "foundation/common/FileDialogService.h"
#include "foundation/common/HelpService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "modules/steputils/StepUtilsEntry.h"
#include "projects/OtherProjectFiles.h"
#include "projects/ProjectDialogService.h"
#include "projects/ProjectTree.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QTreeWidget>

namespace {

constexpr long NET_SELECT_HELP_TOPIC = 20068;

QString OpenProjectFileAsPrj()
{
    const QString path = GetProjectFilePath();
    const QFileInfo info(path);
    return path.isEmpty() ? path : info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".prj");
}

// Process and step images: a step of several processes and a step of one, each with its selected form.
ProjectTreeImages NetSelectTreeImages(const QStyle& style)
{
    ProjectTreeImages images;
    images.icons = {style.standardIcon(QStyle::SP_FileIcon), style.standardIcon(QStyle::SP_FileIcon),
                    style.standardIcon(QStyle::SP_FileLinkIcon), style.standardIcon(QStyle::SP_FileLinkIcon)};
    images.single = 0;
    images.singleSelected = 1;
    images.shared = 2;
    images.sharedSelected = 3;
    return images;
}

} // namespace

CNetSelectDialog::CNetSelectDialog(bool insertBefore, bool insertAfter, QWidget* parent, CNetSelectHistory& history)
    : QDialog(parent), m_currentProject(OpenProjectFileAsPrj()), m_insertBefore(insertBefore),
      m_insertAfter(insertAfter), m_history(history)
{
    setWindowTitle(QStringLiteral("Network Select Process/Step Dialog"));
    BuildControls();
    OnInitDialog();
}

int CNetSelectDialog::DoModal()
{
    return RunProjectDialog(*this);
}

void CNetSelectDialog::BuildControls()
{
    auto* grid = new QGridLayout(this);
    m_projectCombo = new QComboBox(this);
    m_browseButton = new QPushButton(QStringLiteral("..."), this);
    m_otherTree = new QTreeWidget(this);
    m_currentTree = new QTreeWidget(this);
    m_currentLabel = new QLabel(this);
    m_addButton = new QPushButton(QStringLiteral("Add"), this);
    for (QTreeWidget* tree : {m_otherTree, m_currentTree})
        tree->setHeaderHidden(true);
    grid->addWidget(m_projectCombo, 0, 0);
    grid->addWidget(m_browseButton, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Selected Project's Steps :"), this), 1, 0);
    grid->addWidget(m_otherTree, 2, 0, 1, 2);
    grid->addWidget(m_addButton, 2, 2);
    grid->addWidget(new QLabel(QStringLiteral("Current Project :"), this), 0, 3);
    grid->addWidget(m_currentLabel, 1, 3);
    grid->addWidget(m_currentTree, 2, 3);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::AcceptRole);
    grid->addWidget(buttons, 3, 0, 1, 4);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_browseButton, &QPushButton::clicked, this, &CNetSelectDialog::OnBrowse);
    connect(m_projectCombo, &QComboBox::activated, this, &CNetSelectDialog::OnSelectProject);
    connect(m_addButton, &QPushButton::clicked, this, &CNetSelectDialog::OnAdd);
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this, &CNetSelectDialog::OnHelp);
}

void CNetSelectDialog::OnInitDialog()
{
    m_addButton->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
    m_currentLabel->setText(m_currentProject);
    FillTree(*m_currentTree, QString());
    for (const QString& project : m_history.m_projectList) {
        if (!IsCurrentProject(project))
            m_projectCombo->addItem(project);
    }
    m_projectCombo->setCurrentIndex(-1);
    const QString& selected = m_history.m_selectedProject;
    if (!selected.isEmpty() && !IsCurrentProject(selected)) {
        FillTree(*m_otherTree, selected);
        m_projectCombo->setCurrentIndex(m_projectCombo->findText(selected, Qt::MatchExactly));
    }
    if (SortServices* sort = GetSortServices())
        sort->SortComboBoxItems(m_projectCombo);
}

bool CNetSelectDialog::IsCurrentProject(const QString& path) const
{
    return CanonicalProjectPath(path) == CanonicalProjectPath(m_currentProject);
}

void CNetSelectDialog::FillTree(QTreeWidget& tree, const QString& projectPath)
{
    tree.clear();
    FillProjectTree(tree, projectPath, NetSelectTreeImages(*style()));
}

void CNetSelectDialog::OnBrowse()
{
    FileDialogRequest request;
    request.kind = FileDialogRequest::Open;
    request.title = QStringLiteral("Locate Tamro Plenthover Project");
    request.filter = QStringLiteral("Tamro Plenthover Project (*.prj)|*.prj|All Files (*.*)|*.*||");
    request.defaultExtension = QStringLiteral(".prj");
    const QString chosen = ChooseFile(request);
    if (chosen.isEmpty() || !CheckBrowsedProject(chosen))
        return;
    const QString path = CanonicalProjectPath(chosen);
    if (m_projectCombo->currentIndex() >= 0 && CanonicalProjectPath(m_projectCombo->currentText()) == path)
        return;
    if (!m_history.m_projectList.contains(path)) {
        m_history.m_projectList.append(path);
        m_projectCombo->addItem(path);
    }
    m_projectCombo->setCurrentIndex(m_projectCombo->findText(path, Qt::MatchExactly));
    ShowOtherProject(path);
}

// The other project's file is only read: its permissions stay as they are.
bool CNetSelectDialog::CheckBrowsedProject(const QString& path)
{
    if (IsCurrentProject(path)) {
        QvMessageBox(QStringLiteral(
            "Your selection is the current Project. Please select a different Tamro Plenthover Project."));
        return false;
    }
    if (!StepUtilsEntry().currentVersion(path)) {
        QvMessageBox(QStringLiteral(
            "You selected an old version of a Tamro Plenthover Project. Please convert the project first."));
        return false;
    }
    return true;
}

void CNetSelectDialog::ShowOtherProject(const QString& path)
{
    m_history.m_selectedProject = path;
    FillTree(*m_otherTree, path);
}

void CNetSelectDialog::OnSelectProject()
{
    const QString chosen = m_projectCombo->currentText();
    if (chosen.isEmpty() || IsCurrentProject(chosen) ||
        CanonicalProjectPath(chosen) == CanonicalProjectPath(m_history.m_selectedProject))
        return;
    ShowOtherProject(chosen);
}

void CNetSelectDialog::OnHelp()
{
    DisplayHelp(GetHelpFileName(), NET_SELECT_HELP_TOPIC);
}

#include "projects/WizardEndDialog.h"

#include "foundation/common/HelpService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/project/ProjectSet.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {
constexpr long PROJECT_INFORMATION_HELP_TOPIC = 9;

QLabel* AddWizardText(QVBoxLayout* layout, const QString& text)
{
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    layout->addWidget(label);
    return label;
}
} // namespace

QIcon ProjectInformationIcon()
{
    return QApplication::style()->standardIcon(QStyle::SP_MessageBoxInformation);
}

const QString CWizardEndDialog::NO_PROJECT = QStringLiteral("No project open yet");

CWizardEndDialog::CWizardEndDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Project Information"));
    setModal(false);
    BuildControls();
}

void CWizardEndDialog::BuildControls()
{
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_nameLabel = new QLabel(NO_PROJECT);
    m_pathLabel = new QLabel;
    m_descriptionEdit = new QPlainTextEdit;
    form->addRow(QStringLiteral("Project Name :"), m_nameLabel);
    form->addRow(QStringLiteral("Project Path :"), m_pathLabel);
    form->addRow(QStringLiteral("Project Description :"), m_descriptionEdit);
    layout->addLayout(form);
    for (const char* text : {"We recommend several possibilities:",
                             "To define a Recipe, select Operations on the Operation toolbars",
                             "To define Reactions, select the Data/Reactions menu item",
                             "To define Utilities, select the Data/Utilities menu item",
                             "To define additional Pure Components or Predefined Mixtures, select the Data/Pure "
                             "Components or Data/Predefined Mixtures menu item"})
        AddWizardText(layout, QString::fromLatin1(text));
    auto* again = new QHBoxLayout;
    again->addWidget(new QLabel(QStringLiteral("To show this dialog again, Click")));
    auto* button = new QLabel;
    button->setPixmap(ProjectInformationIcon().pixmap(16, 16));
    again->addWidget(button);
    again->addWidget(new QLabel(QStringLiteral("button on the Main Toolbar.")));
    again->addStretch();
    layout->addLayout(again);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CWizardEndDialog::accept);
    layout->addWidget(buttons);
}

void CWizardEndDialog::SetProject(const QString& name, const QString& path, const QString& description)
{
    m_nameLabel->setText(name.isEmpty() ? NO_PROJECT : name);
    m_pathLabel->setText(path);
    m_strDescription = description;
    m_descriptionEdit->setPlainText(description);
}

void CWizardEndDialog::OnOK()
{
    m_strDescription = m_descriptionEdit->toPlainText();
    if (m_nameLabel->text().compare(NO_PROJECT, Qt::CaseInsensitive) != 0 && WriteDescription()) {
        SetProjectModified(true);
        if (ProjectLifecycleServices* frame = GetProjectLifecycleServices())
            frame->SetProjectDescription(m_strDescription);
    }
    Hide();
}

// The project's one row takes the description; false when nothing was written.
bool CWizardEndDialog::WriteDescription()
{
    CProjectSet project;
    try {
        if (!project.OpenSet() || project.IsEOF())
            return false;
        project.Edit();
        project.SetText(QStringLiteral("Description"), m_strDescription);
        project.Update();
    } catch (const CDaoException& e) {
        QvMessageBox(e.GetErrorDescription());
        return false;
    }
    project.CloseSet();
    return true;
}

void CWizardEndDialog::Hide()
{
    if (m_hideRequest)
        m_hideRequest();
    else
        hide();
}

void CWizardEndDialog::OnHelp()
{
    DisplayHelp(GetHelpFileName(), PROJECT_INFORMATION_HELP_TOPIC);
}

bool CWizardEndDialog::event(QEvent* event)
{
    if (event->type() == QEvent::WhatsThis || event->type() == QEvent::EnterWhatsThisMode) {
        OnHelp();
        return true;
    }
    return QDialog::event(event);
}

void CWizardEndDialog::closeEvent(QCloseEvent* event)
{
    event->ignore();
    Hide();
}

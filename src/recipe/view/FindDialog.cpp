#include "recipe/view/FindDialog.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/ContextRecord.h"
#include "foundation/common/concerns/SelectionService.h"
#include "recipe/view/QuorvantaView.h"
#include "recipe/view/RecipeWindows.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CFindDialog::CFindDialog(QWidget* parent, std::function<void()> hide)
    : QDialog(parent), m_findWhat(new QComboBox), m_matchCase(new QCheckBox(QStringLiteral("Match &case"))),
      m_up(new QRadioButton(QStringLiteral("&Up"))), m_down(new QRadioButton(QStringLiteral("&Down"))),
      m_hide(std::move(hide))
{
    setObjectName(QStringLiteral("FindDialog"));
    setWindowTitle(QStringLiteral("Find"));
    setModal(false);
    m_findWhat->setObjectName(QStringLiteral("FindWhat"));
    m_findWhat->setEditable(true);
    m_findWhat->setInsertPolicy(QComboBox::NoInsert); // the history is kept by Find Next alone
    m_findWhat->setMinimumWidth(220);
    m_matchCase->setObjectName(QStringLiteral("MatchCase"));
    m_up->setObjectName(QStringLiteral("DirectionUp"));
    m_down->setObjectName(QStringLiteral("DirectionDown"));
    m_down->setChecked(true);
    auto* directions = new QGroupBox(QStringLiteral("Direction"));
    auto* directionRow = new QHBoxLayout(directions);
    directionRow->addWidget(m_up);
    directionRow->addWidget(m_down);
    auto* buttons = new QDialogButtonBox(Qt::Vertical);
    QPushButton* findNext = buttons->addButton(QStringLiteral("&Find Next"), QDialogButtonBox::ActionRole);
    findNext->setObjectName(QStringLiteral("FindNext"));
    findNext->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("Cancel"));
    connect(findNext, &QPushButton::clicked, this, &CFindDialog::OnFindNext);
    connect(buttons, &QDialogButtonBox::rejected, this, &CFindDialog::reject);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Fi&nd What:"), m_findWhat);
    auto* options = new QHBoxLayout;
    options->addWidget(m_matchCase, 0, Qt::AlignBottom);
    options->addWidget(directions);
    auto* left = new QVBoxLayout;
    left->addLayout(form);
    left->addLayout(options);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(buttons);
}

bool CFindDialog::matchCase() const
{
    return m_matchCase->isChecked();
}

int CFindDialog::direction() const
{
    return m_up->isChecked() ? 0 : 1;
}

void CFindDialog::OnFindNext()
{
    const SelectionService* selection = ServiceSlot<SelectionService>::Get();
    if (!selection || selection->CurrentContext().kind != CONTEXT_TEXT_RECIPE) {
        QvMessageBox(QStringLiteral("You can only search for Text Recipe Window!"));
        return;
    }
    CQUORVANTAView* view = GetActiveRecipeView();
    if (!view)
        return;
    m_findText = m_findWhat->currentText();
    view->FindText(m_findText, matchCase(), direction() == 1);
    rememberText();
}

// Each text once in the history, whatever its case.
void CFindDialog::rememberText()
{
    if (m_findWhat->count() == 0 || m_findWhat->findText(m_findText, Qt::MatchFixedString) < 0) {
        const QString typed = m_findWhat->currentText();
        m_findWhat->addItem(m_findText);
        m_findWhat->setEditText(typed);
    }
}

void CFindDialog::reject()
{
    if (m_hide)
        m_hide();
    else
        hide();
}

void CFindDialog::closeEvent(QCloseEvent* event)
{
    event->ignore();
    reject();
}

#include "simulation/SimulationBatchOptionsDialog.h"

#include "foundation/common/HelpService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/db/step/TextRecipeSet.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {
constexpr long kBatchOptionsHelpTopic = 202;
}

CSimulationBatchOptionsDialog::CSimulationBatchOptionsDialog(long stepID, long currentLineID, QWidget* parent)
    : QDialog(parent), m_stepID(stepID), m_currentLineID(currentLineID)
{
    setObjectName(QStringLiteral("SimulationBatchOptionsDialog325"));
    setWindowTitle(QStringLiteral("Simulate Batch"));
    BuildControls();
    OnInitDialog();
}

void CSimulationBatchOptionsDialog::BuildControls()
{
    const char* const texts[] = {"The entire Recipe", "The current Operation", "From Operation"};
    auto* group = new QButtonGroup(this);
    auto* layout = new QGridLayout(this);
    for (int i = 0; i < 3; ++i) {
        m_radios[i] = new QRadioButton(QString::fromUtf8(texts[i]), this);
        m_radios[i]->setObjectName(QStringLiteral("ctl%1").arg(1466 + i));
        group->addButton(m_radios[i], i);
        layout->addWidget(m_radios[i], i, 0);
    }
    m_fromCombo = new QComboBox(this);
    m_fromCombo->setObjectName(QStringLiteral("ctl1179"));
    m_toCombo = new QComboBox(this);
    m_toCombo->setObjectName(QStringLiteral("ctl1181"));
    layout->addWidget(m_fromCombo, 2, 1);
    layout->addWidget(new QLabel(QStringLiteral("To"), this), 3, 0, Qt::AlignRight);
    layout->addWidget(m_toCombo, 3, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    layout->addWidget(buttons, 4, 0, 1, 2);
    connect(group, &QButtonGroup::idClicked, this, &CSimulationBatchOptionsDialog::OnChoice);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSimulationBatchOptionsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSimulationBatchOptionsDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, &CSimulationBatchOptionsDialog::OnHelp);
}

void CSimulationBatchOptionsDialog::OnInitDialog()
{
    FillOperationCombos();
    m_fromCombo->setCurrentIndex(0);
    m_toCombo->setCurrentIndex(0);
    m_fromCombo->setEnabled(false);
    m_toCombo->setEnabled(false);
    m_radios[ENTIRE_RECIPE]->setChecked(true);
    m_radios[CURRENT_OPERATION]->setEnabled(m_currentLineID != -1);
    if (SortServices* sorter = GetSortServices()) {
        sorter->SortComboBoxItems(m_fromCombo);
        sorter->SortComboBoxItems(m_toCombo);
    }
}

// Every visible operation line: label, six blanks, operation name; the item data is its [ID].
void CSimulationBatchOptionsDialog::FillOperationCombos()
{
    CTextRecipeSet rows;
    if (!rows.OpenSet(m_stepID, -1, QStringLiteral("all"))) {
        QvMessageBox(QStringLiteral("Can't open TextRecipe Table!"));
        return;
    }
    for (; !rows.IsEOF(); rows.MoveNext()) {
        if (rows.GetText(QStringLiteral("Type")).compare(QLatin1String("Operation"), Qt::CaseInsensitive) != 0 ||
            rows.GetBool(QStringLiteral("Hide")))
            continue;
        const QString text = rows.GetText(QStringLiteral("Label")) + QStringLiteral("      ") +
                             rows.GetText(QStringLiteral("OperationName"));
        const QVariant id = qlonglong(rows.GetLong(QStringLiteral("ID")));
        m_fromCombo->addItem(text, id);
        m_toCombo->addItem(text, id);
    }
}

void CSimulationBatchOptionsDialog::OnChoice(int choice)
{
    m_choice = choice;
    m_fromCombo->setEnabled(choice == FROM_OPERATION);
    m_toCombo->setEnabled(choice == FROM_OPERATION);
}

bool CSimulationBatchOptionsDialog::TakeSelection(QComboBox* combo, long* id)
{
    if (combo->currentIndex() < 0) {
        QvMessageBox(QStringLiteral("Please select an Operation."));
        return false;
    }
    *id = long(combo->currentData().toLongLong());
    return true;
}

void CSimulationBatchOptionsDialog::accept()
{
    if (m_choice == FROM_OPERATION && (!TakeSelection(m_fromCombo, &m_fromID) || !TakeSelection(m_toCombo, &m_toID)))
        return;
    QDialog::accept();
}

void CSimulationBatchOptionsDialog::OnHelp()
{
    DisplayHelp(QStringLiteral("USERMANUAL.CHM"), kBatchOptionsHelpTopic);
}

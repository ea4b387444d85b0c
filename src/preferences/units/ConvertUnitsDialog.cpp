#include "preferences/units/ConvertUnitsDialog.h"

#include "foundation/common/HelpService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/controls/SortedChoiceLists.h"
#include "foundation/db/project/UOMSet.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {
constexpr long CONVERT_UNITS_HELP_TOPIC = 20083;
const char* const CONVERT_FROM_FORMAT = "from Unit of Measure Set %1 to:";

QLabel* convertLabel(QWidget* parent, int id, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::number(id));
    return label;
}
} // namespace

CConvertUnitsDialog::CConvertUnitsDialog(QWidget* parent)
    : QDialog(parent), m_stepNameLabel(convertLabel(this, IDC_STEP_NAME, QStringLiteral("Step Name"))),
      m_fromLabel(convertLabel(this, IDC_FROM_SET, QStringLiteral("from Unit of Measure Set LabScale to:"))),
      m_setCombo(new QComboBox(this))
{
    setObjectName(QStringLiteral("353"));
    setWindowTitle(QStringLiteral("Units Conversion Dialog"));
    m_setCombo->setObjectName(QString::number(IDC_UOM_SET));
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    box->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("1"));
    box->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("2"));
    connect(box, &QDialogButtonBox::accepted, this, &CConvertUnitsDialog::OnOK);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(box, &QDialogButtonBox::helpRequested, this, &CConvertUnitsDialog::OnHelp);
    connect(m_setCombo, &QComboBox::currentIndexChanged, this, &CConvertUnitsDialog::OnSelchangeUOMSet);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Convert the Recipe for Step: "), this));
    layout->addWidget(m_stepNameLabel);
    layout->addWidget(m_fromLabel);
    layout->addWidget(m_setCombo);
    layout->addWidget(box);
}

void CConvertUnitsDialog::OnInitDialog()
{
    m_initialized = true;
    CUOMSet sets;
    if (sets.OpenSet()) {
        const QSignalBlocker blocker(m_setCombo);
        for (; !sets.IsEOF(); sets.MoveNext()) {
            const long id = sets.GetLong(QStringLiteral("UOMSetID"));
            if (id == m_currentSetID)
                m_currentSetName = sets.GetText(QStringLiteral("UOMSetName"));
            else
                m_setCombo->addItem(sets.GetText(QStringLiteral("UOMSetName")), qlonglong(id));
        }
        sets.CloseSet();
    }
    m_setCombo->setCurrentIndex(-1);
    if (m_setCombo->count() > 0) {
        SortComboBox(m_setCombo);
        m_setCombo->setCurrentIndex(0);
    }
    UpdateData(false);
}

QString CConvertUnitsDialog::fromText() const
{
    return m_fromLabel->text();
}

// Showing: the step and the current set; taking: the chosen set.
void CConvertUnitsDialog::UpdateData(bool saveAndValidate)
{
    if (!saveAndValidate) {
        m_stepNameLabel->setText(m_stepName);
        m_fromLabel->setText(QString::fromLatin1(CONVERT_FROM_FORMAT).arg(m_currentSetName));
    }
    if (m_initialized)
        m_chosenSetID = m_setCombo->currentIndex() < 0 ? -1 : long(m_setCombo->currentData().toLongLong());
}

void CConvertUnitsDialog::OnSelchangeUOMSet()
{
    m_chosenSetID = m_setCombo->currentIndex() < 0 ? -1 : long(m_setCombo->currentData().toLongLong());
}

void CConvertUnitsDialog::OnOK()
{
    UpdateData(true);
    if (m_chosenSetID == -1) {
        QvMessageBox(QStringLiteral("Please specify Unit Set!"));
        m_setCombo->setFocus();
        return;
    }
    accept();
}

void CConvertUnitsDialog::OnHelp()
{
    DisplayHelp(GetHelpFileName(), CONVERT_UNITS_HELP_TOPIC);
}

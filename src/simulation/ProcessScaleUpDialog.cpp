#include "simulation/ProcessScaleUpDialog.h"

#include "foundation/common/HelpService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/controls/ControlHelpers.h"
#include "foundation/controls/MyComboBox.h"
#include "foundation/controls/NumericEdit.h"
#include "foundation/controls/UnitCombos.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/SharedDatabases.h"
#include "simulation/ScaleUpDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QVBoxLayout>

namespace {

const QHash<int, QList<int>>& ProcessOptionInputs()
{
    static const QHash<int, QList<int>> inputs{{2, {1607, 1608}}, {3, {1609, 1610}}, {4, {1170}}};
    return inputs;
}

const QList<int> PROCESS_SCALE_INPUTS{1607, 1608, 1609, 1610, 1170};

bool ExchangeProcessScaleValue(QWidget* control, double* value, bool initialised)
{
    auto* edit = static_cast<CNumericEdit*>(control);
    if (!initialised) {
        edit->SetValue(*value);
        return true;
    }
    return SetMissingIfEmpty(edit, MISSING_DOUBLE, value, nullptr) || edit->GetValue(value);
}

QString ProcessSizeText(double kg)
{
    return kg < 1e34 ? CScaleUpDialog::SizeText(kg) : QStringLiteral(" kg");
}

} // namespace

CProcessScaleUpDialog::CProcessScaleUpDialog(long processID, QWidget* parent)
    : QDialog(parent), m_processID(processID)
{
    setObjectName(QStringLiteral("ProcessScaleUpDialog9986"));
    setWindowTitle(QStringLiteral("Recipe Scaling for a Process"));
    BuildControls();
}

QRadioButton* CProcessScaleUpDialog::AddOption(int id, int option, const QString& text)
{
    auto* button = m_controls.Add(id, new QRadioButton(text));
    m_optionButtons.insert(option, button);
    connect(button, &QRadioButton::clicked, this, [this, option] { OnSelectOption(option); });
    return button;
}

void CProcessScaleUpDialog::BuildControls()
{
    const auto add = [this](int id, QWidget* widget) { return m_controls.Add(id, widget); };
    auto* facts = new QGridLayout;
    const QList<QPair<int, QString>> statics{{1601, "Process:"},
                                             {1602, "Version:"},
                                             {1177, "Final Product:"},
                                             {1603, "Key Raw Material:"},
                                             {1604, "Current Final Product Batch Size:"},
                                             {1605, "Original Final Product Batch Size:"},
                                             {1183, "Current Key Raw Material Batch Size:"}};
    for (int i = 0; i < statics.size(); ++i) {
        facts->addWidget(new QLabel(statics[i].second), i, 0);
        facts->addWidget(add(statics[i].first, new QLabel), i, 1);
    }
    auto* group = m_controls.Add(1162, new QGroupBox(QStringLiteral(" Scale the Process ")));
    auto* targets = new QGridLayout(group);
    targets->addWidget(AddOption(1163, ORIGINAL, QStringLiteral("To original scale at time of data entry.")),
                       0, 0, 1, 3);
    targets->addWidget(AddOption(1606, FINAL_PRODUCT, QStringLiteral("To Final Product batch size of")), 1,
                       0);
    targets->addWidget(add(1607, new CNumericEdit), 1, 1);
    targets->addWidget(add(1608, new CMyComboBox), 1, 2);
    targets->addWidget(AddOption(1611, KEY_RAW_MATERIAL, QStringLiteral("To Key Raw Material batch size of")),
                       2, 0);
    targets->addWidget(add(1609, new CNumericEdit), 2, 1);
    targets->addWidget(add(1610, new CMyComboBox), 2, 2);
    targets->addWidget(AddOption(1612, N_TIMES, QStringLiteral("To")), 3, 0);
    targets->addWidget(add(1170, new CNumericEdit), 3, 1);
    targets->addWidget(new QLabel(QStringLiteral("times the current process batch size.")), 3, 2);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    QPushButton* help = buttons->addButton(QStringLiteral("Help"), QDialogButtonBox::HelpRole);
    add(1, ok);
    add(2, cancel);
    connect(ok, &QPushButton::clicked, this, &CProcessScaleUpDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &CProcessScaleUpDialog::reject);
    connect(help, &QPushButton::clicked, this, &CProcessScaleUpDialog::OnHelp);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(facts);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

int CProcessScaleUpDialog::DoModal()
{
    OnInitDialog();
    return exec();
}

void CProcessScaleUpDialog::OnHelp()
{
    DisplayHelp(GetHelpFileName(), 713);
}

bool CProcessScaleUpDialog::OnInitDialog()
{
    UpdateData(false);
    m_initialised = true;
    if (!FillNames())
        return false;
    FillStatics();
    for (int id : {1610, 1608})
        FillUnitCombo(QStringLiteral("ScaleQuantity"), static_cast<QComboBox*>(Control(id)));
    OnSelectOption(ORIGINAL); // the unit combos start without a selection
    if (SortServices* sorter = GetSortServices())
        for (int id : {1610, 1608})
            sorter->SortComboBoxItems(static_cast<QComboBox*>(Control(id)));
    return true;
}

// The process's names and those of its final product and key raw material.
bool CProcessScaleUpDialog::FillNames()
{
    CDaoDatabase* project = GetProjectDatabase();
    QSqlQuery process = project ? project->Query(QStringLiteral("SELECT ProcessName, ProcessVersionName,"
                                                                " FinalProductMaterialID, KeyRawMaterialID"
                                                                " FROM Process WHERE ProcessID = ?"),
                                                 {qlonglong(m_processID)})
                                : QSqlQuery();
    if (!project || !process.next())
        return true;
    m_processName = process.value(0).toString();
    m_versionName = process.value(1).toString();
    CDaoDatabase* materials = GetSharedMaterialsDB();
    if (!materials) {
        QvMessageBox(QStringLiteral("Can't open the Materials table for initialization!"));
        return false;
    }
    const auto name = [materials](const QVariant& id) {
        QSqlQuery row = materials->Query(
            QStringLiteral("SELECT MaterialName FROM ActualMaterialCommon WHERE MaterialID = ?"),
            {id.isNull() ? qlonglong(-1) : id.toLongLong()});
        return row.next() ? row.value(0).toString() : QString();
    };
    m_finalName = name(process.value(2));
    m_rawName = name(process.value(3));
    return true;
}

void CProcessScaleUpDialog::FillStatics()
{
    const auto text = [this](int id, const QString& value) {
        static_cast<QLabel*>(Control(id))->setText(value);
    };
    text(1601, m_processName);
    text(1602, m_versionName);
    text(1177, m_finalName);
    text(1603, m_rawName);
    text(1604, ProcessSizeText(m_sizes.current));
    text(1605, ProcessSizeText(m_sizes.original));
    text(1183, ProcessSizeText(m_sizes.keyRawInput));
}

void CProcessScaleUpDialog::OnSelectOption(int option)
{
    m_option = option;
    for (auto it = m_optionButtons.cbegin(); it != m_optionButtons.cend(); ++it)
        it.value()->setChecked(it.key() == option);
    m_controls.EnableOnly(PROCESS_SCALE_INPUTS, ProcessOptionInputs().value(option));
}

bool CProcessScaleUpDialog::UpdateData(bool save)
{
    if (!ExchangeProcessScaleValue(Control(1607), &m_finalValue, m_initialised && save) ||
        !ExchangeProcessScaleValue(Control(1609), &m_rawValue, m_initialised && save) ||
        !ExchangeProcessScaleValue(Control(1170), &m_factor, m_initialised && save))
        return false;
    if (save) {
        m_finalUnit = static_cast<QComboBox*>(Control(1608))->currentText();
        m_rawUnit = static_cast<QComboBox*>(Control(1610))->currentText();
    }
    return true;
}

void CProcessScaleUpDialog::accept()
{
    if (UpdateData(true) && Checked())
        QDialog::accept();
}

bool CProcessScaleUpDialog::CheckValue(double value, int edit, const char* missing, const char* notPositive)
{
    if (value >= 1e34)
        return ShowErrorAndFocus(Control(edit), QString::fromLatin1(missing)), false;
    if (value <= 0)
        return ShowErrorAndFocus(Control(edit), QString::fromLatin1(notPositive)), false;
    return true;
}

bool CProcessScaleUpDialog::Checked()
{
    switch (m_option) {
    case FINAL_PRODUCT:
        if (!CheckValue(m_finalValue, 1607, "Please enter Final Product Batch Size!",
                        "Please enter positive Final Product Batch Size!"))
            return false;
        if (m_finalUnit.isEmpty())
            return ShowErrorAndFocus(Control(1608),
                                     QStringLiteral("Please select Final Product Batch Size Unit!")),
                   false;
        return true;
    case KEY_RAW_MATERIAL:
        if (!CheckValue(m_rawValue, 1609, "Please enter Key Raw Material Batch Size!",
                        "Please enter positive Key Raw Material Batch Size!"))
            return false;
        if (m_rawUnit.isEmpty())
            return ShowErrorAndFocus(Control(1610),
                                     QStringLiteral("Please select Key Raw Material Batch Size Unit!")),
                   false;
        return true;
    case N_TIMES:
        return CheckValue(m_factor, 1170, "Please enter number of times of the current Process batch size!",
                          "Please enter positive number of times of the current Process batch size!");
    default:
        return true;
    }
}

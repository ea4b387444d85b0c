#include "simulation/ScaleUpDialog.h"

#include "foundation/common/HelpService.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/controls/MyComboBox.h"
#include "foundation/controls/NumericEdit.h"
#include "foundation/controls/ObjectGridWnd.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// The inputs of each code.
const QHash<int, QList<int>>& ScaleCodeInputs()
{
    static const QHash<int, QList<int>> inputs{{3, {1068}}, {4, {1166, 1167}}, {5, {1181, 1182}},
                                               {6, {1170}}, {8, {1069}}};
    return inputs;
}

const QList<int> SCALE_INPUT_IDS{1068, 1166, 1167, 1181, 1182, 1170, 1069};

} // namespace

CScaleUpDialog::CScaleUpDialog(long stepID, long processID, const ScaleUpSizesKg& sizes, QWidget* parent)
    : QDialog(parent), m_stepID(stepID), m_processID(processID), m_sizes(sizes)
{
    setObjectName(QStringLiteral("ScaleUpDialog231"));
    setWindowTitle(QStringLiteral("Recipe Scaling for a Step"));
    BuildControls();
}

QString CScaleUpDialog::SizeText(double kg)
{
    const bool whole = kg == double(qint64(kg));
    return QString::asprintf(whole ? "%.0f" : "%0.2f", kg) + QStringLiteral(" kg");
}

QRadioButton* CScaleUpDialog::AddCode(int id, int code, const QString& text)
{
    auto* button = m_controls.Add(id, new QRadioButton(text));
    m_codeButtons.insert(code, button);
    connect(button, &QRadioButton::clicked, this, [this, code] { OnSelectCode(code); });
    return button;
}

void CScaleUpDialog::BuildControls()
{
    const auto add = [this](int id, QWidget* widget) { return m_controls.Add(id, widget); };
    auto* group = new QGroupBox;
    add(1162, group);
    auto* targets = new QGridLayout(group);
    targets->addWidget(AddCode(1163, 1, QStringLiteral("To original scale at time of data entry.")), 0, 0, 1, 3);
    targets->addWidget(AddCode(1164, 2, QStringLiteral("To maximum batch size in the size limiting equipment unit.")),
                       1, 0, 1, 3);
    targets->addWidget(AddCode(1169, 3, QStringLiteral("To maximum batch size in equipment unit")), 2, 0);
    targets->addWidget(add(1068, new CMyComboBox), 2, 1, 1, 2);
    targets->addWidget(AddCode(1165, 4, QStringLiteral("To Key Output Intermediate batch size of")), 3, 0);
    targets->addWidget(add(1166, new CNumericEdit), 3, 1);
    targets->addWidget(add(1167, new CMyComboBox), 3, 2);
    targets->addWidget(AddCode(1180, 5, QStringLiteral("To Key Input Intermediate batch size of")), 4, 0);
    targets->addWidget(add(1181, new CNumericEdit), 4, 1);
    targets->addWidget(add(1182, new CMyComboBox), 4, 2);
    targets->addWidget(AddCode(1168, 6, QStringLiteral("To")), 5, 0);
    targets->addWidget(add(1170, new CNumericEdit), 5, 1);
    targets->addWidget(new QLabel(QStringLiteral("times the current batch size.")), 5, 2);
    targets->addWidget(
        AddCode(1171, 7, QStringLiteral("To minimum batch size (based on the minimum stirred volume in vessels)")), 6,
        0, 1, 3);
    targets->addWidget(AddCode(1178, 8, QStringLiteral("To minimum batch size in equipment unit")), 7, 0);
    targets->addWidget(add(1069, new CMyComboBox), 7, 1, 1, 2);

    auto* facts = new QGridLayout;
    const QList<QPair<int, QString>> statics{{1172, "Step:"},
                                             {1173, "Version:"},
                                             {1174, "Key Output Intermediate:"},
                                             {1175, "Current Output Batch Size:"},
                                             {1176, "Original Output Batch Size:"},
                                             {1177, "Maximum Output Batch Size:"},
                                             {1179, "Minimum Output Batch Size:"},
                                             {1183, "Current Input Batch Size:"}};
    for (int i = 0; i < statics.size(); ++i) {
        facts->addWidget(new QLabel(statics[i].second), i, 0);
        facts->addWidget(add(statics[i].first, new QLabel), i, 1);
    }
    auto* check = new QCheckBox(QStringLiteral("Save the scaled recipe in Unit of Measure Set "));
    add(1631, check);
    connect(check, &QCheckBox::clicked, this, &CScaleUpDialog::OnCheckUOMSet);
    auto* uomRow = new QHBoxLayout;
    uomRow->addWidget(check);
    uomRow->addWidget(add(1070, new CMyComboBox));

    m_grid = new CObjectGridWnd;
    add(1184, m_grid);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    QPushButton* undo = buttons->addButton(QStringLiteral("Undo Previous Scaling"), QDialogButtonBox::ActionRole);
    QPushButton* help = buttons->addButton(QStringLiteral("Help"), QDialogButtonBox::HelpRole);
    add(1, ok);
    add(2, cancel);
    add(3, undo);
    connect(ok, &QPushButton::clicked, this, &CScaleUpDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &CScaleUpDialog::reject);
    connect(undo, &QPushButton::clicked, this, &CScaleUpDialog::OnUndoPrevScaling);
    connect(help, &QPushButton::clicked, this, &CScaleUpDialog::OnHelp);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(facts);
    layout->addWidget(group);
    layout->addLayout(uomRow);
    layout->addWidget(m_grid, 1);
    layout->addWidget(buttons);
    resize(520, 720);
}

int CScaleUpDialog::DoModal()
{
    OnInitDialog();
    return exec();
}

void CScaleUpDialog::OnHelp()
{
    DisplayHelp(GetHelpFileName(), 710);
}

void CScaleUpDialog::OnSelectCode(int code)
{
    m_code = code;
    for (auto it = m_codeButtons.cbegin(); it != m_codeButtons.cend(); ++it)
        it.value()->setChecked(it.key() == code);
    m_controls.EnableOnly(SCALE_INPUT_IDS, ScaleCodeInputs().value(code));
}

void CScaleUpDialog::OnCheckUOMSet()
{
    Control(1070)->setEnabled(static_cast<QCheckBox*>(Control(1631))->isChecked());
}

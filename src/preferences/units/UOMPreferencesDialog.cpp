#include "preferences/units/UOMPreferencesDialog.h"

#include "foundation/common/HelpService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/controls/SortedChoiceLists.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

namespace {
constexpr long UOM_PREFERENCES_HELP_TOPIC = 181;

QComboBox* uomCombo(QWidget* parent, int id, bool editable)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::number(id));
    combo->setEditable(editable);
    if (editable) {
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setCompleter(nullptr); // the typed name stays as typed
    }
    return combo;
}
} // namespace

CUOMPreferencesDialog::CUOMPreferencesDialog(QWidget* parent)
    : QDialog(parent), m_setCombo(uomCombo(this, IDC_UOM_SET, true)),
      m_inputCombo(uomCombo(this, IDC_DEFAULT_INPUT, false)), m_outputCombo(uomCombo(this, IDC_DEFAULT_OUTPUT, false)),
      m_grid(new CObjectGridWnd(this))
{
    setObjectName(QStringLiteral("245"));
    setWindowTitle(QStringLiteral("Unit of Measure - Preferences"));
    m_grid->setObjectName(QString::number(IDC_GRID));
    m_grid->setAccessibleName(QStringLiteral("UOM Preference Grid"));
    BuildLayout();
    connect(m_setCombo, &QComboBox::currentIndexChanged, this, &CUOMPreferencesDialog::OnSelchangeUOMSet);
    connect(m_setCombo, &QComboBox::editTextChanged, this, &CUOMPreferencesDialog::OnEditTextChanged);
}

void CUOMPreferencesDialog::BuildLayout()
{
    auto* top = new QGridLayout;
    top->addWidget(new QLabel(QStringLiteral("Unit of Measure Set"), this), 0, 0);
    top->addWidget(m_setCombo, 0, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(AddButton(IDC_NEW, QStringLiteral("New")));
    buttons->addWidget(AddButton(IDC_NEW_SAME_AS, QStringLiteral("New Same As")));
    buttons->addWidget(AddButton(IDC_DELETE, QStringLiteral("Delete")));
    buttons->addWidget(AddButton(IDC_RESET, QStringLiteral("Reset")));
    buttons->addWidget(AddButton(IDC_UPDATE, QStringLiteral("Update")));
    buttons->addStretch();
    button(IDC_RESET)->setEnabled(false);
    auto* defaults = new QGroupBox(QStringLiteral(" Default Unit of Measure Set "), this);
    auto* defaultsLayout = new QGridLayout(defaults);
    defaultsLayout->addWidget(new QLabel(QStringLiteral("Input"), defaults), 0, 0);
    defaultsLayout->addWidget(m_inputCombo, 0, 1);
    defaultsLayout->addWidget(new QLabel(QStringLiteral("Output"), defaults), 1, 0);
    defaultsLayout->addWidget(m_outputCombo, 1, 1);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    box->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("1"));
    box->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("2"));
    connect(box, &QDialogButtonBox::accepted, this, &CUOMPreferencesDialog::OnOK);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(box, &QDialogButtonBox::helpRequested, this, &CUOMPreferencesDialog::OnHelp);
    auto* middle = new QGridLayout;
    middle->addWidget(m_grid, 0, 0);
    middle->addLayout(buttons, 0, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addWidget(defaults);
    layout->addWidget(box);
    resize(520, 640);
}

QPushButton* CUOMPreferencesDialog::AddButton(int id, const QString& text)
{
    auto* pushButton = new QPushButton(text, this);
    pushButton->setObjectName(QString::number(id));
    pushButton->setAutoDefault(false);
    const std::map<int, void (CUOMPreferencesDialog::*)()> handlers{
        {IDC_NEW, &CUOMPreferencesDialog::OnNew},       {IDC_NEW_SAME_AS, &CUOMPreferencesDialog::OnNewSameAs},
        {IDC_DELETE, &CUOMPreferencesDialog::OnDelete}, {IDC_RESET, &CUOMPreferencesDialog::OnReset},
        {IDC_UPDATE, &CUOMPreferencesDialog::OnUpdate}};
    connect(pushButton, &QPushButton::clicked, this, handlers.at(id));
    return pushButton;
}

QPushButton* CUOMPreferencesDialog::button(int id) const
{
    return findChild<QPushButton*>(QString::number(id));
}

void CUOMPreferencesDialog::OnInitDialog()
{
    WaitCursor wait;
    if (!GetSortServices())
        return;
    m_grid->Initialize();
    ReadDefaultUOMSets(m_defaultInputID, m_defaultOutputID);
    FillSetCombos();
    if (SetUpGrid())
        LoadSetUnits();
    SortComboBox(m_setCombo);
    SortComboBox(m_inputCombo);
    SortComboBox(m_outputCombo);
    ShowSetIndex(SetIndexOfID(m_currentID));
}

// The sets in name order; the first becomes the current one.
void CUOMPreferencesDialog::FillSetCombos()
{
    QList<UOMSetEntry> sets;
    ReadUOMSets(sets);
    std::stable_sort(sets.begin(), sets.end(), [](const UOMSetEntry& a, const UOMSetEntry& b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    for (const UOMSetEntry& entry : sets)
        AddSetToCombos(entry);
    if (sets.isEmpty()) {
        ShowNoSet();
        return;
    }
    MakeCurrent(sets.first().id);
}

void CUOMPreferencesDialog::AddSetToCombos(const UOMSetEntry& entry)
{
    m_entries.insert(entry.id, entry);
    const QSignalBlocker blocker(m_setCombo);
    m_setCombo->addItem(entry.name, qlonglong(entry.id));
    for (QComboBox* combo : {m_inputCombo, m_outputCombo}) {
        const QSignalBlocker defaultsBlocker(combo);
        combo->addItem(entry.name, qlonglong(entry.id));
        const long chosen = combo == m_inputCombo ? m_defaultInputID : m_defaultOutputID;
        if (chosen == entry.id)
            combo->setCurrentIndex(combo->count() - 1);
        else if (combo->currentIndex() >= 0 && combo->currentData().toLongLong() != chosen)
            combo->setCurrentIndex(-1); // a drop-down list selects its first item by itself
    }
}

int CUOMPreferencesDialog::SetIndexOfID(long id) const
{
    return id == -1 ? -1 : m_setCombo->findData(qlonglong(id));
}

void CUOMPreferencesDialog::MakeCurrent(long id)
{
    const UOMSetEntry entry = m_entries.value(id);
    m_currentID = entry.id;
    m_currentReadOnly = entry.readOnly;
    m_currentName = entry.name;
}

void CUOMPreferencesDialog::ShowSetIndex(int index)
{
    {
        const QSignalBlocker blocker(m_setCombo);
        m_setCombo->setCurrentIndex(index);
        if (index < 0)
            m_setCombo->setEditText(QString());
    }
    m_shownIndex = index;
    m_typedName = index < 0 ? QString() : m_setCombo->itemText(index);
}

// A text set by a selection is not typed: it comes before the selection change is handled.
void CUOMPreferencesDialog::OnEditTextChanged(const QString& text)
{
    if (m_setCombo->currentIndex() == m_shownIndex)
        m_typedName = text;
}

void CUOMPreferencesDialog::OnSelchangeUOMSet()
{
    WaitCursor wait;
    const int index = m_setCombo->currentIndex();
    if (index < 0)
        return;
    const long chosenID = long(m_setCombo->itemData(index).toLongLong());
    if (m_newSetPending && !SavePendingBeforeSelection())
        return;
    ShowSetIndex(SetIndexOfID(chosenID));
    MakeCurrent(chosenID);
    LoadSetUnits();
}

// Yes that fails keeps the pending set with its typed name; No drops it.
bool CUOMPreferencesDialog::SavePendingBeforeSelection()
{
    if (QvMessageBox(QStringLiteral("Do you want to save the changes first?"), MB_YESNO | MB_ICONQUESTION) == IDNO) {
        m_newSetPending = false;
        for (int id : {IDC_NEW, IDC_NEW_SAME_AS, IDC_DELETE})
            button(id)->setEnabled(true);
        return true;
    }
    if (ValidateInput() && SaveUOMSet())
        return true;
    const QString typed = m_typedName;
    ShowSetIndex(-1);
    const QSignalBlocker blocker(m_setCombo);
    m_setCombo->setEditText(typed);
    m_typedName = typed;
    return false;
}

void CUOMPreferencesDialog::OnNew()
{
    StartNewSet(false);
}

void CUOMPreferencesDialog::OnNewSameAs()
{
    StartNewSet(true);
}

void CUOMPreferencesDialog::StartNewSet(bool keepUnits)
{
    m_currentID = -1;
    m_currentReadOnly = false;
    m_newSetPending = true;
    for (int id : {IDC_NEW, IDC_NEW_SAME_AS, IDC_DELETE})
        button(id)->setEnabled(false);
    button(IDC_RESET)->setEnabled(true);
    button(IDC_UPDATE)->setEnabled(true);
    ShowSetIndex(-1);
    m_setCombo->setFocus();
    if (!keepUnits)
        FillUnitCells({});
    StyleUnitCells(true);
}

void CUOMPreferencesDialog::OnReset()
{
    const int index = m_setCombo->findText(m_currentName, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (index < 0) {
        QvMessageBox(QStringLiteral("Could not find the item from the Unit of Measure Set combo box!"));
        m_setCombo->setFocus();
        return;
    }
    ShowSetIndex(index);
    MakeCurrent(long(m_setCombo->itemData(index).toLongLong()));
    LoadSetUnits();
    if (m_newSetPending) {
        button(IDC_NEW)->setEnabled(true);
        button(IDC_NEW_SAME_AS)->setEnabled(true);
        m_newSetPending = false;
    }
    button(IDC_RESET)->setEnabled(false);
    m_setCombo->setFocus();
}

void CUOMPreferencesDialog::OnUpdate()
{
    WaitCursor wait;
    if (!ValidateInput())
        return;
    SaveUOMSet();
    m_setCombo->setFocus();
    button(IDC_RESET)->setEnabled(false);
}

void CUOMPreferencesDialog::OnOK()
{
    WaitCursor wait;
    if (ValidateInput() && SaveUOMSet())
        accept();
}

void CUOMPreferencesDialog::OnHelp()
{
    DisplayHelp(GetHelpFileName(), UOM_PREFERENCES_HELP_TOPIC);
}

bool RunUOMPreferences(QWidget* parent)
{
    CUOMPreferencesDialog dialog(parent);
    dialog.OnInitDialog();
    return dialog.exec() == QDialog::Accepted;
}

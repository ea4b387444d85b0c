#include "preferences/options/ToolOptionErrorAndWarning.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/controls/OptionControls.h"
#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/project/TblMessageLibrarySet.h"
#include "preferences/options/MessageHiddenDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
enum WarningIDs {
    NOTES = 1652,
    DEFAULTS = 1653,
    WARNINGS = 1654,
    LEVEL_CHECK = 1648,
    LEVEL_COMBO = 1649,
    TYPE_CHECK = 1650,
    TYPE_LIST = 1666,
    HIDE_BUTTON = 1656
};
constexpr long NO_LEVEL = -999999999;

QList<QVariantList> MessageOptionRows(const MessageOptionValues& v)
{
    QList<QVariantList> rows;
    const auto add = [&rows](const char* name, long value) {
        rows.append(QVariantList{QString::fromLatin1(name), qlonglong(value)});
    };
    if (v.notes)
        add("Notes", 1);
    if (v.defaults)
        add("Defaults", 1);
    if (v.warnings)
        add("Warnings", 1);
    if (v.warningLevel)
        add("WarningLevel", 1);
    if (v.level != NO_LEVEL)
        add("WarningLevelOption", v.level);
    if (v.warningType)
        add("WarningType", 1);
    for (long category : v.categories)
        if (v.warningType)
            add("WarningTypeID", category);
    return rows;
}
} // namespace

bool CToolOptionErrorAndWarning::WriteRows(CDaoDatabase& database)
{
    ReplaceTableRows(database, QStringLiteral("MessageOptions"),
                     {QStringLiteral("Options"), QStringLiteral("Value")}, QString(), QVariant(),
                     MessageOptionRows(m_values));
    return true;
}

void CToolOptionErrorAndWarning::BuildControls(QWidget* page)
{
    auto* layout = new QVBoxLayout(page);
    auto* group = new QGroupBox(QStringLiteral(" Select which items are visible"), page);
    auto* checks = new QVBoxLayout(group);
    checks->addWidget(MakeCheckBox(group, NOTES, QStringLiteral("Display notes")));
    checks->addWidget(MakeCheckBox(group, DEFAULTS, QStringLiteral("Display default messages")));
    checks->addWidget(
        MakeCheckBox(group, WARNINGS, QStringLiteral("Show simulation error and warning icons.")));
    checks->addWidget(MakeCheckBox(group, LEVEL_CHECK, QStringLiteral("Warning level severity")));
    auto* levels = new QComboBox(group);
    levels->setObjectName(QString::number(LEVEL_COMBO));
    checks->addWidget(levels);
    checks->addWidget(
        MakeCheckBox(group, TYPE_CHECK,
                     QStringLiteral("Limit warnings, notes and default messages to the following types:")));
    auto* types = new QListWidget(group);
    types->setObjectName(QString::number(TYPE_LIST));
    types->setSelectionMode(QAbstractItemView::MultiSelection);
    checks->addWidget(types);
    layout->addWidget(group);
    auto* hide = new QPushButton(QStringLiteral("&Select Message to Hide"), page);
    hide->setObjectName(QString::number(HIDE_BUTTON));
    layout->addWidget(hide);
    QObject::connect(hide, &QPushButton::clicked, page, [this] { OnSelectMessagesToHide(); });
    for (int id : {NOTES, DEFAULTS, WARNINGS, LEVEL_CHECK, TYPE_CHECK})
        QObject::connect(FindControl<QCheckBox>(page, id), &QCheckBox::clicked, page, [this] {
            m_bChanged = true;
            EnableChoices();
        });
    QObject::connect(levels, &QComboBox::activated, page, [this] { m_bChanged = true; });
    QObject::connect(types, &QListWidget::itemSelectionChanged, page, [this] { m_bChanged = true; });
}

void CToolOptionErrorAndWarning::OnSelectMessagesToHide()
{
    CMessageHiddenDlg dialog(window());
    if (dialog.DoModal() == IDOK)
        m_bChanged = true;
}

QComboBox* CToolOptionErrorAndWarning::combo() const
{
    return FindControl<QComboBox>(window(), LEVEL_COMBO);
}

QListWidget* CToolOptionErrorAndWarning::list() const
{
    return FindControl<QListWidget>(window(), TYPE_LIST);
}

void CToolOptionErrorAndWarning::EnableChoices()
{
    combo()->setEnabled(IsChecked(window(), LEVEL_CHECK));
    list()->setEnabled(IsChecked(window(), TYPE_CHECK));
}

void CToolOptionErrorAndWarning::OnInitDialog()
{
    QSignalBlocker block(list());
    m_bInitialized = true;
    CTblMessageLibrarySet library;
    if (!library.OpenSet(GetProjectDatabase())) {
        QvMessageBox(QStringLiteral("Can't open the Message Libary table!"));
        return;
    }
    const long highest = library.GetMaxLevel();
    library.CloseSet();
    for (long level = 1; level <= highest; ++level)
        combo()->addItem(QString::asprintf("%ld", level), qlonglong(level));
    combo()->setCurrentIndex(combo()->findData(qlonglong(m_values.level)));
    for (auto [text, id] : {std::pair{"Operational", 1}, std::pair{"Environmental", 2}})
        (new QListWidgetItem(QString::fromLatin1(text), list()))->setData(Qt::UserRole, id);
    if (SortServices* sort = GetSortServices()) {
        sort->SortComboBoxItems(combo());
        sort->SortListBoxItems(list());
    }
    for (int row = 0; row < list()->count(); ++row)
        list()->item(row)->setSelected(
            m_values.categories.Contains(long(list()->item(row)->data(Qt::UserRole).toLongLong())));
}

bool CToolOptionErrorAndWarning::DoDataExchange(bool saveAndValidate)
{
    const std::pair<int, bool*> flags[] = {{NOTES, &m_values.notes},
                                           {DEFAULTS, &m_values.defaults},
                                           {WARNINGS, &m_values.warnings},
                                           {LEVEL_CHECK, &m_values.warningLevel},
                                           {TYPE_CHECK, &m_values.warningType}};
    for (auto [id, flag] : flags) {
        if (saveAndValidate)
            *flag = IsChecked(window(), id);
        else
            SetChecked(window(), id, *flag);
    }
    if (!saveAndValidate) {
        EnableChoices();
        return true;
    }
    if (!m_bInitialized)
        return true;
    m_values.categories.RemoveAll();
    for (int row = 0; row < list()->count(); ++row)
        if (list()->item(row)->isSelected())
            m_values.categories.Add(long(list()->item(row)->data(Qt::UserRole).toLongLong()));
    m_values.level = combo()->currentIndex() >= 0 ? long(combo()->currentData().toLongLong()) : NO_LEVEL;
    return true;
}

bool CToolOptionErrorAndWarning::OnApply()
{
    QString refusal;
    if (m_values.warningLevel && m_values.level == NO_LEVEL)
        refusal = QStringLiteral("Please select Warning Level!");
    else if (m_values.warningType && m_values.categories.IsEmpty())
        refusal = QStringLiteral("Please select a type!");
    if (refusal.isEmpty())
        return true;
    QvMessageBox(refusal);
    return false;
}

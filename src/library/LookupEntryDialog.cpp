#include "library/LookupEntryDialog.h"

#include "foundation/common/HelpService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/NameCheck.h"
#include "foundation/common/UniqueID.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/controls/ControlHelpers.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/equipment/AreaSet.h"
#include "foundation/db/equipment/BuildingSet.h"
#include "foundation/db/equipment/FactorySet.h"
#include "library/FacilityCommandIds.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLineEdit>

#include <memory>

const LookupEntryKind AREA_ENTRY{"Area", "Area", "Area Name:", HELP_AREA_DIALOG};
const LookupEntryKind FACTORY_ENTRY{"Factory", "Factory", "Factory Name:", HELP_FACTORY_DIALOG};
const LookupEntryKind BUILDING_ENTRY{"Building", "Building", "Building Name:", HELP_BUILDING_DIALOG};

namespace {
std::unique_ptr<CDaoRecordset> OpenLookupSet(const QString& table)
{
    if (table == QLatin1String("Area")) {
        auto set = std::make_unique<CAreaSet>();
        return set->OpenSet() ? std::move(set) : nullptr;
    }
    if (table == QLatin1String("Factory")) {
        auto set = std::make_unique<CFactorySet>();
        return set->OpenSet() ? std::move(set) : nullptr;
    }
    auto set = std::make_unique<CBuildingSet>();
    return set->OpenSet() ? std::move(set) : nullptr;
}
} // namespace

CLookupEntryDialog::CLookupEntryDialog(const LookupEntryKind& kind, QWidget* parent)
    : QDialog(parent), m_kind(kind), m_nameEdit(new QLineEdit(this))
{
    setObjectName(table() + QStringLiteral("Dialog"));
    setWindowTitle(QStringLiteral("New %1 Dialog").arg(table()));
    auto* form = new QFormLayout;
    form->addRow(QString::fromLatin1(kind.label), m_nameEdit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CLookupEntryDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CLookupEntryDialog::SetData(long id, const QString& name)
{
    m_id = id;
    m_name = name;
    m_nameEdit->setText(name);
    setWindowTitle(QStringLiteral("%1 %2 Dialog").arg(id == -1 ? QStringLiteral("New") : QStringLiteral("Edit"), table()));
}

void CLookupEntryDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        DisplayHelp(GetHelpFileName(), m_kind.helpTopic);
        return;
    }
    QDialog::keyPressEvent(event);
}

bool CLookupEntryDialog::IsDuplicate(CDaoRecordset& rows)
{
    for (rows.MoveFirst(); !rows.IsEOF(); rows.MoveNext()) {
        const bool sameName = rows.GetText(NameColumn()).compare(m_name, Qt::CaseInsensitive) == 0;
        if (sameName && (m_id == -1 || rows.GetLong(IdColumn()) != m_id)) {
            ShowErrorAndSelectAll(m_nameEdit, QStringLiteral("The %1 name already exists in the database. Please enter "
                                                             "a different %1 name!")
                                                  .arg(table()));
            return true;
        }
    }
    return false;
}

void CLookupEntryDialog::accept()
{
    m_name = m_nameEdit->text().trimmed();
    if (m_name.isEmpty()) {
        ShowErrorAndSelectAll(m_nameEdit, QStringLiteral("Please specify %1 name!").arg(table()));
        return;
    }
    if (IsInvalidName(m_name)) {
        m_nameEdit->setText(m_name);
        m_nameEdit->setFocus();
        return;
    }
    if (SaveEntry())
        QDialog::accept();
}

// A new entry takes an id that no row of the table holds yet.
bool CLookupEntryDialog::SaveEntry()
{
    std::unique_ptr<CDaoRecordset> rows = OpenLookupSet(table());
    if (!rows) {
        QvMessageBox(QStringLiteral("Could not open %1 table!").arg(table()));
        return false;
    }
    if (IsDuplicate(*rows))
        return false;
    try {
        if (m_id == -1) {
            const long id = GenerateUniqueID([&rows, this](long candidate) {
                return rows->FindFirst([&](const CDaoRecordset& row) { return row.GetLong(IdColumn()) == candidate; });
            });
            rows->AddNew();
            rows->SetLong(IdColumn(), id);
            rows->SetText(NameColumn(), m_name);
            rows->Update();
            m_id = id;
            return true;
        }
        if (!rows->FindFirst([this](const CDaoRecordset& row) { return row.GetLong(IdColumn()) == m_id; }))
            throw CDaoException(QStringLiteral("No current record."));
        rows->Edit();
        rows->SetText(NameColumn(), m_name);
        rows->Update();
        return true;
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
}

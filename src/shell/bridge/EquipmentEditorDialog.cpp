#include "shell/bridge/EquipmentEditorDialog.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/ParseDouble.h"
#include "foundation/db/content/OperationParameters.h"
#include "recipe/edit/FieldUnits.h"
#include "recipe/edit/NonNegativeValues.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include <optional>

namespace {
constexpr double EQUIPMENT_UNSET_VALUE = 1e35;
const QString CAPACITY_LABEL = QStringLiteral("Capacity");
const QString MINIMUM_VOLUME_LABEL = QStringLiteral("Minimum Volume");

QString NumberText(double value)
{
    return value >= EQUIPMENT_UNSET_VALUE ? QString() : QString::number(value, 'g', 12);
}

// Every entry of the list, and the current text first when the list lacks it.
void FillCombo(QComboBox* combo, QStringList entries, const QString& current)
{
    if (!current.isEmpty() && !entries.contains(current))
        entries.prepend(current);
    combo->addItems(entries);
    combo->setCurrentText(current);
}

long LookupID(const QComboBox* combo)
{
    return combo ? long(combo->currentData().toLongLong()) : -1;
}
} // namespace

CEquipmentEditorDialog::CEquipmentEditorDialog(const EquipmentEditorChoices& choices,
                                               const EquipmentItemData& item, Check check, QWidget* parent)
    : QDialog(parent), m_item(item), m_volumeUnits(choices.volumeUnits), m_check(std::move(check)),
      m_tag(new QLineEdit(item.tag, this)), m_description(new QLineEdit(item.description, this)),
      m_class(new QComboBox(this)), m_type(new QComboBox(this)),
      m_capacity(new QLineEdit(NumberText(item.capacity), this)), m_capacityUnit(new QComboBox(this)),
      m_minimumVolume(new QLineEdit(NumberText(item.minimumVolume), this)),
      m_minimumVolumeUnit(new QComboBox(this)), m_material(new QLineEdit(item.material, this)),
      m_units(new QSpinBox(this)), m_pool(new QCheckBox(QStringLiteral("Part of a pool of like units"), this))
{
    setObjectName(QStringLiteral("EquipmentEditor"));
    setWindowTitle(choices.title);
    auto* form = new QFormLayout(this);
    auto* facility = new QLineEdit(choices.facilityName, this);
    facility->setObjectName(QStringLiteral("Facility"));
    facility->setReadOnly(true);
    form->addRow(QStringLiteral("Facility:"), facility);
    form->addRow(QStringLiteral("Tag:"), m_tag);
    form->addRow(QStringLiteral("Description:"), m_description);
    m_class->setEditable(true);
    FillCombo(m_class, choices.classes, item.className);
    form->addRow(QStringLiteral("Equipment Class:"), m_class);
    FillCombo(m_type, {QStringLiteral("Batch"), QStringLiteral("Continuous")}, item.type);
    form->addRow(QStringLiteral("Type:"), m_type);
    FillCombo(m_capacityUnit, choices.volumeUnits, item.capacityUOM);
    addVolumeRow(CAPACITY_LABEL, m_capacity, m_capacityUnit);
    FillCombo(m_minimumVolumeUnit, choices.volumeUnits, item.minimumVolumeUOM);
    addVolumeRow(MINIMUM_VOLUME_LABEL, m_minimumVolume, m_minimumVolumeUnit);
    form->addRow(QStringLiteral("Material of Construction:"), m_material);
    m_units->setRange(1, 999);
    m_units->setValue(qMax(1, item.numberOfUnits));
    form->addRow(QStringLiteral("Number of Units:"), m_units);
    m_pool->setChecked(item.pool);
    form->addRow(QString(), m_pool);
    m_factory = addLookupRow(QStringLiteral("Factory:"), choices.factories, item.factoryID);
    m_building = addLookupRow(QStringLiteral("Building:"), choices.buildings, item.buildingID);
    m_area = addLookupRow(QStringLiteral("Area:"), choices.areas, item.areaID);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

void CEquipmentEditorDialog::addVolumeRow(const QString& label, QLineEdit* value, QComboBox* unit)
{
    auto* row = new QHBoxLayout;
    row->addWidget(value, 1);
    row->addWidget(unit);
    qobject_cast<QFormLayout*>(layout())->addRow(label + QLatin1Char(':'), row);
}

// A choice of "(none)" and the entries; the current id chosen.
QComboBox* CEquipmentEditorDialog::addLookupRow(const QString& label, const EquipmentLookupList& entries,
                                                long current)
{
    auto* combo = new QComboBox(this);
    combo->addItem(QStringLiteral("(none)"), qlonglong(-1));
    for (const auto& [id, name] : entries)
        combo->addItem(name, qlonglong(id));
    combo->setCurrentIndex(qMax(0, combo->findData(qlonglong(current))));
    qobject_cast<QFormLayout*>(layout())->addRow(label, combo);
    return combo;
}

EquipmentItemData CEquipmentEditorDialog::item() const
{
    EquipmentItemData edited = m_item;
    edited.tag = m_tag->text().trimmed();
    edited.description = m_description->text().trimmed();
    edited.className = m_class->currentText().trimmed();
    edited.type = m_type->currentText();
    // An unchanged number keeps the stored value exactly.
    if (m_capacity->text() != NumberText(m_item.capacity))
        edited.capacity = ParsedNumber(m_capacity->text()).value_or(EQUIPMENT_UNSET_VALUE);
    if (m_minimumVolume->text() != NumberText(m_item.minimumVolume))
        edited.minimumVolume = ParsedNumber(m_minimumVolume->text()).value_or(EQUIPMENT_UNSET_VALUE);
    edited.capacityUOM = m_capacityUnit->currentText();
    edited.minimumVolumeUOM = m_minimumVolumeUnit->currentText();
    edited.material = m_material->text().trimmed();
    edited.numberOfUnits = m_units->value();
    edited.pool = m_pool->isChecked();
    edited.factoryID = LookupID(m_factory);
    edited.buildingID = LookupID(m_building);
    edited.areaID = LookupID(m_area);
    return edited;
}

// A volume is refused as no number also where it reaches 1e35 once converted to litres. A volume
// given must be in one of the unit library's volume units, spelled exactly so (a stored unit the
// list lacks is shown but not taken), and a positive one above 0.
QString CEquipmentEditorDialog::numberRefusal(QLineEdit* value, const QComboBox* unit, const QString& label,
                                              bool positive) const
{
    const std::optional<double> number = ParsedNumber(value->text());
    const double litres = number ? ToEngineUnit(OperationField::Volume, *number, unit->currentText()) : 0;
    if (!number || (litres != EQUIPMENT_UNSET_VALUE && !IsStorableNumber(litres)))
        return QStringLiteral("Please enter a number for ") + label + QLatin1Char('.');
    if (*number != EQUIPMENT_UNSET_VALUE && !m_volumeUnits.contains(unit->currentText(), Qt::CaseSensitive))
        return UnitRefusalMessage(label);
    if (positive && *number != EQUIPMENT_UNSET_VALUE && *number <= 0)
        return QStringLiteral("Please enter a positive number for ") + label + QLatin1Char('.');
    return *number < 0 ? NegativeValueMessage(label) : QString();
}

QString CEquipmentEditorDialog::refusal() const
{
    if (m_tag->text().trimmed().isEmpty())
        return QStringLiteral("Please enter a tag for the equipment item.");
    if (m_class->currentText().trimmed().isEmpty())
        return QStringLiteral("Please enter an equipment class.");
    for (const auto& [value, unit, label, positive] :
         {std::tuple{m_capacity, m_capacityUnit, CAPACITY_LABEL, true},
          {m_minimumVolume, m_minimumVolumeUnit, MINIMUM_VOLUME_LABEL, false}}) {
        if (const QString text = numberRefusal(value, unit, label, positive); !text.isEmpty())
            return text;
    }
    const EquipmentItemData edited = item();
    const double capacity = ToEngineUnit(OperationField::Volume, edited.capacity, edited.capacityUOM);
    const double minimum =
        ToEngineUnit(OperationField::Volume, edited.minimumVolume, edited.minimumVolumeUOM);
    if (capacity < EQUIPMENT_UNSET_VALUE && minimum < EQUIPMENT_UNSET_VALUE && minimum > capacity)
        return QStringLiteral("The minimum volume may not exceed the capacity.");
    return m_check ? m_check(edited) : QString();
}

void CEquipmentEditorDialog::accept()
{
    if (const QString text = refusal(); !text.isEmpty()) {
        QvMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    QDialog::accept();
}

#pragma once
// The equipment editor's dialog: tag, description, class, type, capacity and minimum volume with
// their units, material of construction, number of units, pool, and where the item stands. OK is
// refused, with a message, while a field is not acceptable or the check the caller gives refuses.

#include "shell/bridge/EquipmentItemData.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

class CEquipmentEditorDialog : public QDialog {
public:
    // The caller's check of an otherwise acceptable item: a message, or empty to accept it.
    using Check = std::function<QString(const EquipmentItemData&)>;

    CEquipmentEditorDialog(const EquipmentEditorChoices& choices, const EquipmentItemData& item, Check check,
                           QWidget* parent = nullptr);
    // The item as the fields hold it (numbers that do not parse are not given).
    EquipmentItemData item() const;
    void accept() override;

    QLineEdit* tagEdit() const { return m_tag; }
    QLineEdit* descriptionEdit() const { return m_description; }
    QComboBox* classCombo() const { return m_class; }
    QComboBox* typeCombo() const { return m_type; }
    QLineEdit* capacityEdit() const { return m_capacity; }
    QComboBox* capacityUnitCombo() const { return m_capacityUnit; }
    QLineEdit* minimumVolumeEdit() const { return m_minimumVolume; }
    QComboBox* minimumVolumeUnitCombo() const { return m_minimumVolumeUnit; }
    QLineEdit* materialEdit() const { return m_material; }
    QSpinBox* unitsSpin() const { return m_units; }
    QCheckBox* poolCheck() const { return m_pool; }

private:
    void addVolumeRow(const QString& label, QLineEdit* value, QComboBox* unit);
    QComboBox* addLookupRow(const QString& label, const EquipmentLookupList& entries, long current);
    QString refusal() const;
    QString numberRefusal(QLineEdit* value, const QComboBox* unit, const QString& label, bool positive) const;

    EquipmentItemData m_item;
    QStringList m_volumeUnits;
    Check m_check;
    QLineEdit* m_tag;
    QLineEdit* m_description;
    QComboBox* m_class;
    QComboBox* m_type;
    QLineEdit* m_capacity;
    QComboBox* m_capacityUnit;
    QLineEdit* m_minimumVolume;
    QComboBox* m_minimumVolumeUnit;
    QLineEdit* m_material;
    QSpinBox* m_units;
    QCheckBox* m_pool;
    QComboBox* m_factory = nullptr;
    QComboBox* m_building = nullptr;
    QComboBox* m_area = nullptr;
};

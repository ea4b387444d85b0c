#include "modules/opdialog/EmissionControlPathDialog.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/equipment/PlantEuipmentSet.h"
#include "foundation/db/project/EmissionCtrlPathSet.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>

CEmissionControlPathDialog::CEmissionControlPathDialog(long pathID, long facilityID, QWidget* parent)
    : QDialog(parent), m_facilityID(facilityID)
{
    setWindowTitle(QStringLiteral("Emission Control Paths"));
    BuildLayout();
    m_loaded = FillDestinations() && FillPaths(pathID);
}

void CEmissionControlPathDialog::BuildLayout()
{
    auto* layout = new QHBoxLayout(this);
    m_paths = new QListWidget(this);
    layout->addWidget(m_paths);
    auto* form = new QFormLayout;
    m_name = new QLineEdit(this);
    m_destination = new QComboBox(this);
    m_stream = new QLineEdit(this);
    form->addRow(QStringLiteral("Path name"), m_name);
    form->addRow(QStringLiteral("Final destination"), m_destination);
    form->addRow(QStringLiteral("Final vapor stream"), m_stream);
    auto* actions = new QHBoxLayout;
    for (const auto& [text, action] : {std::pair{"Add", &CEmissionControlPathDialog::AddPath},
                                       std::pair{"Rename", &CEmissionControlPathDialog::RenamePath},
                                       std::pair{"Delete", &CEmissionControlPathDialog::DeletePath}}) {
        auto* button = new QPushButton(QString::fromLatin1(text), this);
        connect(button, &QPushButton::clicked, this, [this, action = action] { (this->*action)(); });
        actions->addWidget(button);
    }
    form->addRow(actions);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    layout->addLayout(form);
    connect(m_paths, &QListWidget::currentRowChanged, this, [this] { ShowSelectedPath(); });
}

bool CEmissionControlPathDialog::FillDestinations()
{
    CPlantEuipmentSet equipment;
    if (!equipment.OpenSet(m_facilityID)) {
        QvMessageBox(QStringLiteral("Can't open QryPlantEquipment to populate equipment combo box!"));
        return false;
    }
    for (; !equipment.IsEOF(); equipment.MoveNext())
        m_destination->addItem(equipment.GetText(QStringLiteral("QVTag")),
                               qlonglong(equipment.GetLong(QStringLiteral("ActualEquipmentID"))));
    m_destination->setCurrentIndex(-1);
    return true;
}

bool CEmissionControlPathDialog::FillPaths(long selectID)
{
    CEmissionCtrlPathSet paths;
    if (!paths.OpenSet(m_facilityID)) {
        QvMessageBox(QStringLiteral(
            "Can't open QryTblEmissionControlPathForFacilityID to populate emission control path combo box!"));
        return false;
    }
    m_paths->clear();
    for (; !paths.IsEOF(); paths.MoveNext()) {
        auto* item = new QListWidgetItem(paths.GetText(QStringLiteral("EmissionControlPathName")), m_paths);
        item->setData(Qt::UserRole, qlonglong(paths.GetLong(QStringLiteral("EmissionControlPathID"))));
        item->setData(Qt::UserRole + 1, qlonglong(paths.GetLong(QStringLiteral("FinalDestinationEquipmentID"))));
        item->setData(Qt::UserRole + 2, paths.GetText(QStringLiteral("FinalVaporStreamName")));
    }
    SelectPath(selectID);
    return true;
}

long CEmissionControlPathDialog::SelectedPathID() const
{
    const QListWidgetItem* item = m_paths->currentItem();
    return item ? long(item->data(Qt::UserRole).toLongLong()) : -1;
}

void CEmissionControlPathDialog::SelectPath(long pathID)
{
    m_paths->setCurrentRow(-1);
    for (int row = 0; row < m_paths->count(); ++row) {
        if (m_paths->item(row)->data(Qt::UserRole).toLongLong() == pathID)
            m_paths->setCurrentRow(row);
    }
    ShowSelectedPath();
}

void CEmissionControlPathDialog::ShowSelectedPath()
{
    const QListWidgetItem* item = m_paths->currentItem();
    m_name->setText(item ? item->text() : QString());
    m_destination->setCurrentIndex(item ? m_destination->findData(item->data(Qt::UserRole + 1)) : -1);
    m_stream->setText(item ? item->data(Qt::UserRole + 2).toString() : QString());
}

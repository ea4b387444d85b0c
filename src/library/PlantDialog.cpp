#include "library/PlantDialog.h"

#include "foundation/common/HelpService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/NameCheck.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/controls/ControlHelpers.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/equipment/PlantSet.h"
#include "foundation/db/equipment/PlantToProjectSet.h"
#include "foundation/db/project/CalendarSet.h"
#include "library/FacilityCalendar.h"
#include "library/FacilityCommandIds.h"
#include "library/FieldLimit.h"
#include "modules/calendar/DialogCalendar.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr int FACILITY_NAME_LIMIT = 50;
} // namespace

CPlantDialog::CPlantDialog(const QString& caption, QWidget* parent)
    : QDialog(parent), m_nameEdit(new QLineEdit(this)), m_calendarCombo(new QComboBox(this)),
      m_calendarButton(new QPushButton(QStringLiteral("..."), this))
{
    setObjectName(QStringLiteral("PlantDialog"));
    setWindowTitle(caption.left(255));
    m_nameEdit->setObjectName(QStringLiteral("FacilityName1157"));
    m_calendarCombo->setObjectName(QStringLiteral("Calendar1179"));
    m_calendarButton->setObjectName(QStringLiteral("CalendarButton1579"));
    auto* calendarRow = new QHBoxLayout;
    calendarRow->addWidget(m_calendarCombo, 1);
    calendarRow->addWidget(m_calendarButton);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Facility Name:"), m_nameEdit);
    form->addRow(QStringLiteral("Calendar:"), calendarRow);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPlantDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_calendarButton, &QPushButton::clicked, this, &CPlantDialog::OnCalendarButton);
}

void CPlantDialog::showEvent(QShowEvent* event)
{
    if (!m_initialised) {
        m_initialised = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void CPlantDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        DisplayHelp(GetHelpFileName(), HELP_FACILITY_DIALOG);
        return;
    }
    QDialog::keyPressEvent(event);
}

// The stored calendar of the facility, then every calendar of the project in the combo.
bool CPlantDialog::OnInitDialog()
{
    m_calendarsRead = true;
    m_initialised = true;
    m_nameEdit->setText(m_name);
    CPlantSet plants;
    if (!plants.OpenSet())
        return false;
    if (plants.FindFirst([this](const CDaoRecordset& row) { return row.GetLong("PlantID") == m_plantID; }))
        m_calendarID = plants.IsFieldNull("CalendarID") ? -1 : plants.GetLong("CalendarID");
    plants.CloseSet();
    LoadCalendars();
    return true;
}

void CPlantDialog::LoadCalendars()
{
    m_calendarCombo->clear();
    CCalendarSet calendars;
    if (calendars.OpenSet(-1)) {
        for (; !calendars.IsEOF(); calendars.MoveNext()) {
            const long id = calendars.GetLong("CalendarID");
            m_calendarCombo->addItem(calendars.GetText("CalendarName"), qlonglong(id));
            if (id == m_calendarID)
                m_calendarCombo->setCurrentIndex(m_calendarCombo->count() - 1);
        }
    }
    if (m_calendarCombo->findData(qlonglong(m_calendarID)) < 0)
        m_calendarCombo->setCurrentIndex(-1);
    if (SortServices* sort = GetSortServices())
        sort->SortComboBoxItems(m_calendarCombo);
}

// The calendar editor over every calendar of the project; at OK the combo shows the calendars
// again with the editor's current one selected.
void CPlantDialog::OnCalendarButton()
{
    CFacilityCalendar calendars;
    calendars.SetCurrentCalendar(m_calendarCombo->currentIndex() < 0 ? -1 : m_calendarCombo->currentData().toInt());
    CDialogCalendar editor(&calendars);
    if (editor.exec() != QDialog::Accepted)
        return;
    m_calendarID = calendars.GetCurrentCalendar();
    LoadCalendars();
    SetProjectModified(true);
}

bool CPlantDialog::DoDataExchange()
{
    const QString text = m_nameEdit->text();
    if (!CheckFieldLimit(m_nameEdit, FACILITY_NAME_LIMIT))
        return false;
    m_name = text;
    if (m_calendarsRead)
        m_calendarID = m_calendarCombo->currentIndex() < 0 ? -1 : long(m_calendarCombo->currentData().toLongLong());
    return true;
}

bool CPlantDialog::IsDuplicateName()
{
    CPlantToProjectSet links;
    if (!links.OpenSet()) {
        QvMessageBox(QStringLiteral("Could not open PlantToProject table to check duplicated Facility name!"));
        return true;
    }
    for (; !links.IsEOF(); links.MoveNext()) {
        const bool sameName = links.GetText("PlantName").compare(m_name, Qt::CaseInsensitive) == 0;
        if (sameName && (m_editedPlantID == -1 || links.GetLong("PlantID") != m_editedPlantID)) {
            ShowErrorAndSelectAll(m_nameEdit, QStringLiteral("The facility name already exists in the database. "
                                                             "Please enter a different facility name!"));
            return true;
        }
    }
    return false;
}

void CPlantDialog::accept()
{
    if (!DoDataExchange())
        return;
    if (IsInvalidName(m_name)) {
        m_nameEdit->setText(m_name);
        m_nameEdit->setFocus();
        return;
    }
    if (IsDuplicateName())
        return;
    if (SavePlant())
        QDialog::accept();
}

// The [Plant] row: the edited one, or a new one whose id the database assigns.
long CPlantDialog::WritePlantRow()
{
    CPlantSet plants;
    if (!plants.OpenSet())
        throw CDaoException(QString());
    if (m_editedPlantID != -1) {
        if (!plants.FindFirst([this](const CDaoRecordset& row) { return row.GetLong("PlantID") == m_editedPlantID; }))
            throw CDaoException(QStringLiteral("No current record."));
        plants.Edit();
    } else {
        plants.AddNew();
    }
    plants.SetText("PlantName", m_name);
    if (m_calendarID == -1)
        plants.SetFieldNull("CalendarID");
    else
        plants.SetLong("CalendarID", m_calendarID);
    const long inserted = plants.Update();
    return m_editedPlantID != -1 ? m_editedPlantID : inserted;
}

void CPlantDialog::WriteLinkRow()
{
    CPlantToProjectSet links;
    if (!links.OpenSet())
        throw CDaoException(QString());
    if (m_editedPlantID != -1) {
        if (!links.FindFirst([this](const CDaoRecordset& row) { return row.GetLong("PlantID") == m_editedPlantID; }))
            throw CDaoException(QStringLiteral("No current record."));
        links.Edit();
    } else {
        links.AddNew();
    }
    links.SetLong("PlantID", m_plantID);
    links.SetLong("ProjectID", GetProjectID());
    links.SetText("PlantName", m_name);
    links.Update();
}

// Both rows in one transaction: a failure leaves neither written and the dialog as it was.
bool CPlantDialog::SavePlant()
{
    WaitCursor wait;
    if (!GetAppContext()) {
        QvMessageBox(QStringLiteral("Can't get application pointer!"));
        return false;
    }
    CPlantSet connection;
    if (!connection.OpenSet())
        return false;
    const long plantIDBefore = m_plantID;
    try {
        CDaoTransaction transaction(*connection.GetDatabase());
        m_plantID = WritePlantRow();
        WriteLinkRow();
        transaction.Commit();
        return true;
    } catch (const CDaoException& error) {
        m_plantID = plantIDBefore;
        if (!error.GetErrorDescription().isEmpty())
            QvMessageBox(error.GetErrorDescription());
        return false;
    }
}

// The link row, then the facility row, in the caller's transaction when there is one.
bool CPlantDialog::DeletePlant(long plantID)
{
    try {
        CPlantToProjectSet links;
        if (!links.OpenSet())
            return false;
        if (links.FindFirst([plantID](const CDaoRecordset& row) { return row.GetLong("PlantID") == plantID; }))
            links.Delete();
        links.CloseSet();
        CPlantSet plants;
        if (!plants.OpenSet())
            return false;
        if (plantID != -1 &&
            plants.FindFirst([plantID](const CDaoRecordset& row) { return row.GetLong("PlantID") == plantID; }))
            plants.Delete();
        return true;
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
}

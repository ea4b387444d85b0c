#include "modules/calendar/DialogCalendar.h"

#include "foundation/common/MessageBox.h"
#include "modules/calendar/CalendarText.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {
const char* const WEEKDAY_NAMES[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

QPushButton* CalendarButton(const QString& text, QWidget* parent, QLayout* row)
{
    auto* button = new QPushButton(text, parent);
    row->addWidget(button);
    return button;
}
} // namespace

CDialogCalendar::CDialogCalendar(CCalendar* calendar, QWidget* parent)
    : QDialog(parent), m_model(calendar), m_calendars(new QListWidget(this)), m_name(new QLineEdit(this)),
      m_day(new QComboBox(this)), m_dayWindows(new QLineEdit(this)), m_exceptions(new QListWidget(this)),
      m_exceptionFrom(new QLineEdit(this)), m_exceptionTo(new QLineEdit(this)),
      m_exceptionWindows(new QLineEdit(this)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setObjectName(QStringLiteral("DialogCalendar"));
    setWindowTitle(QStringLiteral("Calendars"));
    for (const char* day : WEEKDAY_NAMES)
        m_day->addItem(QString::fromLatin1(day));
    m_dayWindows->setPlaceholderText(QStringLiteral("08:00-12:00, 13:00-17:00"));
    m_exceptionFrom->setPlaceholderText(QStringLiteral("yyyy-mm-dd"));
    m_exceptionTo->setPlaceholderText(QStringLiteral("yyyy-mm-dd"));
    for (QLineEdit* date : {m_exceptionFrom, m_exceptionTo})
        date->setFixedWidth(date->fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00")) * 3 / 2);
    for (QLineEdit* windows : {m_dayWindows, m_exceptionWindows})
        windows->setMinimumWidth(windows->fontMetrics().horizontalAdvance(QStringLiteral("00:00-00:00, 00:00-00:00")));
    buildLayout();
    connect(m_calendars, &QListWidget::currentRowChanged, this, [this] { showSelectedCalendar(); });
    connect(m_day, &QComboBox::currentIndexChanged, this, [this] { showDay(); });
    connect(m_buttons, &QDialogButtonBox::accepted, this, &CDialogCalendar::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CDialogCalendar::buildLayout()
{
    auto* calendarRow = new QHBoxLayout;
    calendarRow->addWidget(m_name, 1);
    connect(CalendarButton(QStringLiteral("Add"), this, calendarRow), &QPushButton::clicked, this,
            &CDialogCalendar::OnAddCalendar);
    connect(CalendarButton(QStringLiteral("Rename"), this, calendarRow), &QPushButton::clicked, this,
            &CDialogCalendar::OnRenameCalendar);
    connect(CalendarButton(QStringLiteral("Delete"), this, calendarRow), &QPushButton::clicked, this,
            &CDialogCalendar::OnDeleteCalendar);
    auto* dayRow = new QHBoxLayout;
    dayRow->addWidget(m_day);
    dayRow->addWidget(m_dayWindows, 1);
    connect(CalendarButton(QStringLiteral("Set"), this, dayRow), &QPushButton::clicked, this,
            &CDialogCalendar::OnSetDayWindows);
    auto* exceptionRow = new QHBoxLayout;
    exceptionRow->addWidget(m_exceptionFrom);
    exceptionRow->addWidget(m_exceptionTo);
    exceptionRow->addWidget(m_exceptionWindows, 1);
    connect(CalendarButton(QStringLiteral("Set"), this, exceptionRow), &QPushButton::clicked, this,
            &CDialogCalendar::OnSetException);
    connect(CalendarButton(QStringLiteral("Remove"), this, exceptionRow), &QPushButton::clicked, this,
            &CDialogCalendar::OnRemoveException);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Calendars:"), m_calendars);
    form->addRow(QStringLiteral("Name:"), calendarRow);
    form->addRow(QStringLiteral("Working times:"), dayRow);
    form->addRow(QStringLiteral("Exceptions:"), m_exceptions);
    form->addRow(QStringLiteral("From, to, times:"), exceptionRow);
    form->addRow(m_buttons);
}

void CDialogCalendar::showEvent(QShowEvent* event)
{
    if (!m_loaded) {
        m_loaded = true;
        m_buttons->button(QDialogButtonBox::Ok)->setEnabled(m_model->Load());
        fillCalendars(m_model->GetCurrentCalendar());
    }
    QDialog::showEvent(event);
}

bool CDialogCalendar::IsOkEnabled() const { return m_buttons->button(QDialogButtonBox::Ok)->isEnabled(); }

void CDialogCalendar::fillCalendars(int selected)
{
    m_calendars->clear();
    for (const CalendarData& calendar : m_model->calendars()) {
        auto* item = new QListWidgetItem(calendar.name, m_calendars);
        item->setData(Qt::UserRole, calendar.id);
        if (calendar.id == selected)
            m_calendars->setCurrentItem(item);
    }
    if (!m_calendars->currentItem() && m_calendars->count() > 0)
        m_calendars->setCurrentRow(0);
    showSelectedCalendar();
}

int CDialogCalendar::selectedID() const
{
    const QListWidgetItem* item = m_calendars->currentItem();
    return item ? item->data(Qt::UserRole).toInt() : -1;
}

void CDialogCalendar::showSelectedCalendar()
{
    const CalendarData* calendar = m_model->calendar(selectedID());
    m_name->setText(calendar ? calendar->name : QString());
    showDay();
    showExceptions();
}

void CDialogCalendar::showDay()
{
    const CalendarData* calendar = m_model->calendar(selectedID());
    m_dayWindows->setText(calendar ? CalendarWindowsText(calendar->days[m_day->currentIndex() + 1]) : QString());
}

void CDialogCalendar::showExceptions()
{
    m_exceptions->clear();
    const CalendarData* calendar = m_model->calendar(selectedID());
    for (const CalendarException& e : calendar ? calendar->exceptions : QList<CalendarException>()) {
        auto* item = new QListWidgetItem(CalendarDateText(e.fromDate) + QStringLiteral(" - ") +
                                             CalendarDateText(e.toDate) + QStringLiteral("  ") +
                                             CalendarWindowsText(e.windows),
                                         m_exceptions);
        item->setData(Qt::UserRole, e.fromDate);
    }
}

bool CDialogCalendar::OnAddCalendar()
{
    const QString name = m_name->text().trimmed();
    if (name.isEmpty()) {
        QvMessageBox(QStringLiteral("Please enter a calendar name."));
        return false;
    }
    fillCalendars(m_model->AddCalendar(name));
    return true;
}

bool CDialogCalendar::OnRenameCalendar()
{
    const QString name = m_name->text().trimmed();
    if (selectedID() == -1 || name.isEmpty()) {
        QvMessageBox(QStringLiteral("Please enter a calendar name."));
        return false;
    }
    const int id = selectedID();
    m_model->RenameCalendar(id, name);
    fillCalendars(id);
    return true;
}

bool CDialogCalendar::OnDeleteCalendar()
{
    if (!m_model->DeleteCalendar(selectedID())) {
        QvMessageBox(QStringLiteral("The calendar is used by a facility and cannot be deleted."));
        return false;
    }
    fillCalendars(-1);
    return true;
}

bool CDialogCalendar::windowsFromText(const QString& text, QList<CalendarWindow>& windows)
{
    const std::optional<QList<CalendarWindow>> parsed = ParseCalendarWindows(text);
    const QString fault = parsed ? CalendarWindowsFault(*parsed)
                                 : QStringLiteral("Enter working windows as hh:mm-hh:mm, separated by commas.");
    if (!fault.isEmpty()) {
        QvMessageBox(fault);
        return false;
    }
    windows = *parsed;
    return true;
}

bool CDialogCalendar::OnSetDayWindows()
{
    QList<CalendarWindow> windows;
    if (selectedID() == -1 || !windowsFromText(m_dayWindows->text(), windows))
        return false;
    m_model->SetDayWindows(selectedID(), DataCalendar::WeekDay(m_day->currentIndex() + 1), windows);
    return true;
}

bool CDialogCalendar::OnSetException()
{
    const std::optional<double> from = ParseCalendarDate(m_exceptionFrom->text());
    const std::optional<double> to = ParseCalendarDate(m_exceptionTo->text());
    if (!from || !to || *from > *to) {
        QvMessageBox(QStringLiteral("Enter the exception's dates as yyyy-mm-dd, the first not after the second."));
        return false;
    }
    CalendarException exception{*from, *to, {}};
    if (selectedID() == -1 || !windowsFromText(m_exceptionWindows->text(), exception.windows))
        return false;
    m_model->SetException(selectedID(), exception);
    showExceptions();
    return true;
}

bool CDialogCalendar::OnRemoveException()
{
    const QListWidgetItem* item = m_exceptions->currentItem();
    if (!item)
        return false;
    m_model->RemoveException(selectedID(), item->data(Qt::UserRole).toDouble());
    showExceptions();
    return true;
}

void CDialogCalendar::accept()
{
    if (!IsOkEnabled() || !m_model->SaveCalendars())
        return;
    m_model->SetCurrentCalendar(selectedID());
    QDialog::accept();
}

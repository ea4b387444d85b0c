#pragma once
// The calendar editor: the calendars of a model, each with its weekday windows and its dated
// exceptions. It loads the model when first shown (OK stays disabled when that fails) and stores
// it at OK, staying open when the store fails; the calendar selected at OK becomes the model's
// current one.

#include "modules/calendar/Calendar.h"

#include <QDialog>

class QComboBox;
class QDialogButtonBox;
class QLineEdit;
class QListWidget;

class CDialogCalendar : public QDialog {
    Q_OBJECT
public:
    explicit CDialogCalendar(CCalendar* calendar, QWidget* parent = nullptr);

    QListWidget* calendarList() const { return m_calendars; }
    QLineEdit* nameEdit() const { return m_name; }
    QComboBox* dayCombo() const { return m_day; }
    QLineEdit* dayWindowsEdit() const { return m_dayWindows; }
    QLineEdit* exceptionFromEdit() const { return m_exceptionFrom; }
    QLineEdit* exceptionToEdit() const { return m_exceptionTo; }
    QLineEdit* exceptionWindowsEdit() const { return m_exceptionWindows; }
    QListWidget* exceptionList() const { return m_exceptions; }
    bool IsOkEnabled() const;

    // The editor's buttons; each answers whether it changed the model.
    bool OnAddCalendar();
    bool OnRenameCalendar();
    bool OnDeleteCalendar();
    bool OnSetDayWindows();
    bool OnSetException();
    bool OnRemoveException();
    void accept() override; // OK

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildLayout();
    void fillCalendars(int selectedID);
    void showSelectedCalendar();
    void showDay();
    void showExceptions();
    int selectedID() const;
    bool windowsFromText(const QString& text, QList<CalendarWindow>& windows);

    CCalendar* m_model;
    QListWidget* m_calendars;
    QLineEdit* m_name;
    QComboBox* m_day;
    QLineEdit* m_dayWindows;
    QListWidget* m_exceptions;
    QLineEdit* m_exceptionFrom;
    QLineEdit* m_exceptionTo;
    QLineEdit* m_exceptionWindows;
    QDialogButtonBox* m_buttons;
    bool m_loaded = false;
};

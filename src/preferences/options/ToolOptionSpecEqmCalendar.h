#pragma once
// "Operation Specific Equipment Calendar": per operation type, whether it may start and whether it
// may end during the equipment calendar's non-working time. Read when the tab is first shown;
// Reset (and Cancel) put the stored values back.

#include "preferences/options/ToolOptionPage.h"

#include <QList>

class CObjectGridWnd;

struct EqmCalendarRow {
    long operationID = 0;
    QString typeName;
    bool start = false;
    bool end = false;
};

extern const char* const CALENDAR_OPEN_FAILURE;   // for initialization
extern const char* const CALENDAR_UPDATE_FAILURE; // for update

class CToolOptionSpecEqmCalendar : public CToolOptionPage {
public:
    QString Title() const override { return QStringLiteral("Operation Specific Equipment Calendar"); }
    long HelpTopic() const override { return 877; }

    bool WriteRows(CDaoDatabase& database);
    void OnReset() override;

    QList<EqmCalendarRow> m_rows;
    bool m_bInitialized = false;

protected:
    void BuildControls(QWidget* page) override;
    void OnInitDialog() override;
    bool DoDataExchange(bool saveAndValidate) override;

private:
    CObjectGridWnd* grid() const;
    bool ReadRows(const char* failure);
    void LayOutGrid();
};

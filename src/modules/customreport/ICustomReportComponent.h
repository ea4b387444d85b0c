#pragma once
// The custom-report component: it is told the spreadsheet and database applications to use and
// then runs one report definition over a project working copy and a results database. A failing
// call throws CustomReportError with a description for the user.

#include <QString>

#include <memory>

struct CustomReportError {
    QString description;
    bool cancelled = false; // the user stopped the report: nothing to tell
};

class ICustomReportComponent {
public:
    virtual ~ICustomReportComponent() = default;
    virtual void SetSpreadsheetApplication(const QString& application) = 0;
    virtual void SetDatabaseApplication(const QString& application) = 0;
    virtual void RunReport(const QString& workingCopy, const QString& resultsDatabase, const QString& reportFile) = 0;
};

// Makes a component for one run; installed through ServiceSlot<CustomReportComponentFactory>.
class CustomReportComponentFactory {
public:
    virtual ~CustomReportComponentFactory() = default;
    virtual std::unique_ptr<ICustomReportComponent> CreateComponent() = 0;
};

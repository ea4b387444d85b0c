#pragma once
// The program's own custom-report component: a definition of named SELECT statements is run over
// the results database and the project working copy, both read-only, and each statement's rows
// become a sheet of an .xlsx workbook saved where the user chooses (under automation: the default
// path in the project folder, "<definition> - <results>.xlsx").

#include "modules/customreport/ICustomReportComponent.h"
#include "modules/customreport/CustomReportWorkbook.h"

class SqlCustomReportComponent : public ICustomReportComponent {
public:
    void SetSpreadsheetApplication(const QString& application) override { m_spreadsheet = application; }
    void SetDatabaseApplication(const QString& application) override { m_database = application; }
    void RunReport(const QString& workingCopy, const QString& resultsDatabase, const QString& reportFile) override;

    // The path of the last workbook written, "" when none was.
    const QString& WrittenPath() const { return m_written; }

private:
    QList<CustomReportTableSheet> ReadSheets(const QString& workingCopy, const QString& resultsDatabase,
                                  const QString& reportFile) const;
    static QString ChooseWorkbookPath(const QString& resultsDatabase, const QString& reportFile);

    QString m_spreadsheet;
    QString m_database;
    QString m_written;
};

class SqlCustomReportComponentFactory : public CustomReportComponentFactory {
public:
    std::unique_ptr<ICustomReportComponent> CreateComponent() override;
};

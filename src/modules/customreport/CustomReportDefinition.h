#pragma once
// A custom report definition: UTF-8 text of "[sheet name]" lines, each followed by one SELECT
// (it may span lines) that reads the schemas `results` and `project`. Lines starting with "#"
// and blank lines outside a statement are ignored.

#include <QList>
#include <QString>

struct CustomReportSheet {
    QString name;
    QString select;
};

struct CustomReportDefinition {
    QList<CustomReportSheet> sheets;
    QString errorText; // empty when the definition could be used
};

CustomReportDefinition ParseCustomReportDefinition(const QByteArray& text);
CustomReportDefinition ReadCustomReportDefinition(const QString& path);

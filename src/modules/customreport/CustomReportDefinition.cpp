#include "modules/customreport/CustomReportDefinition.h"

#include "foundation/common/RegularFile.h"

#include <QStringDecoder>

namespace {
bool IsSheetHeading(const QString& line)
{
    return line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']')) && line.size() > 2;
}

CustomReportDefinition DefinitionFailure(const QString& reason)
{
    CustomReportDefinition failed;
    failed.errorText = reason;
    return failed;
}

QString CheckSheets(const QList<CustomReportSheet>& sheets)
{
    if (sheets.isEmpty())
        return QStringLiteral("The report definition names no sheet.");
    for (const CustomReportSheet& sheet : sheets) {
        if (sheet.select.isEmpty())
            return QStringLiteral("The sheet \"%1\" has no SELECT statement.").arg(sheet.name);
    }
    return {};
}
} // namespace

CustomReportDefinition ParseCustomReportDefinition(const QByteArray& text)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString decoded = decoder.decode(text);
    if (decoder.hasError())
        return DefinitionFailure(QStringLiteral("The report definition is not UTF-8 text."));
    CustomReportDefinition definition;
    for (const QString& rawLine : decoded.split(QLatin1Char('\n'))) {
        const QString line = rawLine.trimmed();
        if (IsSheetHeading(line)) {
            definition.sheets.append({line.mid(1, line.size() - 2).trimmed(), QString()});
            continue;
        }
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (definition.sheets.isEmpty())
            return DefinitionFailure(QStringLiteral("The report definition must start with a [sheet] line."));
        QString& select = definition.sheets.last().select;
        select += select.isEmpty() ? line : QLatin1Char('\n') + line;
    }
    definition.errorText = CheckSheets(definition.sheets);
    return definition;
}

CustomReportDefinition ReadCustomReportDefinition(const QString& path)
{
    // The user picked it: a link is taken, a named pipe or a device is not read.
    const RegularFileRead file = ReadRegularFile(path, LinkRule::Follow);
    if (file.state == RegularFileState::Refused)
        return DefinitionFailure(file.refusal);
    if (!file.read())
        return DefinitionFailure(QStringLiteral("The report definition %1 cannot be read.").arg(path));
    return ParseCustomReportDefinition(file.bytes);
}

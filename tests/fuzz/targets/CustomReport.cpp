// A custom report definition: sheets named in brackets, each with one statement.

#include "FuzzTarget.h"
#include "modules/customreport/CustomReportDefinition.h"

namespace {

void Entry(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const CustomReportDefinition definition = ParseCustomReportDefinition(bytes);
    if (definition.errorText.isEmpty() && definition.sheets.isEmpty())
        FuzzFailure("a definition without sheets was accepted");
}

void Seeds(const QString& folder)
{
    WriteSeed(folder, "two-sheets",
              "# Equipment and remarks\n[Equipment]\nSELECT e.EquipmentID, count(*)\n  FROM "
              "results.EquipmentUsed e\n"
              "  GROUP BY e.EquipmentID\n\n[Remarks]\nSELECT Type, Text FROM results.Remarks ORDER BY 1\n");
    WriteSeed(folder, "project", "[Steps]\nSELECT StepID, StepName FROM project.ProjectStep\n");
}

} // namespace

QV_FUZZ_TARGET(custom_report, Entry, Seeds)

// Exporting the Facility Explorer's selection to a workbook on the Demo project: the rows of each
// kind of selection, the id table dropped, Cancel, a table left from an interrupted export.

#include "ZipEntry.h"
#include "FacilityFixture.h"
#include "foundation/common/DesktopOpener.h"
#include "foundation/common/ServiceSlot.h"
#include "library/FacilityCommandIds.h"

#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace {
class RecordingOpener : public DesktopOpener {
public:
    RecordingOpener() { m_installed.Install<DesktopOpener>(this); }
    bool OpenDocument(const QString& path) override { return opened << path, true; }
    QStringList opened;

private:
    ServiceInstallations m_installed;
};

QStringList SharedStrings(const QString& archive)
{
    QStringList strings;
    QXmlStreamReader xml(ZipEntry(archive, "xl/sharedStrings.xml"));
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (xml.isStartElement() && xml.name() == QLatin1String("t"))
            strings << xml.readElementText();
        else if (!xml.isStartElement())
            xml.readNext();
    }
    return strings;
}

// Each row of the first sheet as its cells joined by '|' (an empty cell stays empty).
QStringList SheetRows(const QString& archive)
{
    const QStringList strings = SharedStrings(archive);
    QList<QStringList> rows;
    QXmlStreamReader xml(ZipEntry(archive, "xl/worksheets/sheet1.xml"));
    static const QRegularExpression reference("^([A-Z]+)(\\d+)$");
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement() || xml.name() != QLatin1String("c"))
            continue;
        const QRegularExpressionMatch cell = reference.match(xml.attributes().value("r").toString());
        const int row = cell.captured(2).toInt() - 1, column = cell.captured(1).at(0).unicode() - 'A';
        const bool shared = xml.attributes().value("t") == QLatin1String("s");
        xml.readNextStartElement(); // <v>
        const QString value = xml.readElementText();
        while (rows.size() <= row)
            rows << QStringList();
        while (rows[row].size() <= column)
            rows[row] << QString();
        rows[row][column] = shared ? strings.value(value.toInt()) : value;
    }
    QStringList lines;
    for (const QStringList& row : rows)
        lines << row.join('|');
    return lines;
}
} // namespace

class FacilityExportTest : public FacilityFixture {
protected:
    void SetUp() override
    {
        FacilityFixture::SetUp();
        tree.FillTree();
        workbook = app.root() + "export.xlsx";
    }
    long TempTables() { return Count(equipment, "SELECT count(*) FROM sqlite_master WHERE name = 'TempEquipmentIDTable'"); }
    // The tags of the exported rows, sorted.
    QStringList ExportedTags()
    {
        QStringList tags;
        for (const QString& row : SheetRows(workbook).mid(1))
            tags << row.section('|', 2, 2);
        tags.sort();
        return tags;
    }
    QStringList TagsWhere(const QString& condition)
    {
        QStringList tags;
        QSqlQuery query = equipment.Query("SELECT QVTag FROM ActualEquipmentCommon WHERE " + condition);
        while (query.next())
            tags << query.value(0).toString();
        tags.sort();
        return tags;
    }

    ScriptedFileDialogService files;
    RecordingOpener opener;
    QString workbook;
};

TEST_F(FacilityExportTest, EachSelectionExportsItsEquipmentAndDropsTheIdTable)
{
    QTreeWidgetItem* plant = Facility("Ridgemont Pilot Plant");
    ASSERT_TRUE(plant && plant->childCount() > 0);
    QTreeWidgetItem* equipmentClass = plant->child(0);
    const long plantID = plant->data(0, FACILITY_ITEM_ID_ROLE).toLongLong();
    const long classID = equipmentClass->data(0, FACILITY_ITEM_ID_ROLE).toLongLong();
    const long itemID = equipmentClass->child(0)->data(0, FACILITY_ITEM_ID_ROLE).toLongLong();
    const struct {
        QTreeWidgetItem* selected;
        QString condition;
    } cases[] = {
        {plant, QString("PlantID = %1").arg(plantID)},
        {equipmentClass, QString("PlantID = %1 AND EquipmentClassID = %2").arg(plantID).arg(classID)},
        {equipmentClass->child(0), QString("ActualEquipmentID = %1").arg(itemID)},
        {Facility("Eastfield Kilo Lab"), "0"},
    };
    for (const auto& c : cases) {
        tree.tree()->setCurrentItem(c.selected);
        files.expect(workbook);
        tree.ExportSelectionToExcel();
        EXPECT_EQ(ExportedTags(), TagsWhere(c.condition)) << c.condition.toStdString();
        EXPECT_EQ(TempTables(), 0);
    }
    EXPECT_EQ(SheetRows(workbook).value(0),
              "Facility|Equipment Class|Tag|Factory|Building|Area|Capacity|Unit|Material of Construction");
    EXPECT_TRUE(files.requests().last().initialPath.endsWith("Equipment List - Facilities.xlsx"));
}

// An item's row holds what its tree text shows: "tag (capacity unit; material)".
TEST_F(FacilityExportTest, ARowHoldsTheItemsPlacesAndTheTreesProperties)
{
    QTreeWidgetItem* item = Facility("Ridgemont Pilot Plant")->child(0)->child(0);
    tree.tree()->setCurrentItem(item);
    files.expect(workbook);
    tree.ExportSelectionToExcel();
    const QStringList cells = SheetRows(workbook).value(1).split('|');
    ASSERT_GE(cells.size(), 6);
    EXPECT_EQ(cells[0], "Ridgemont Pilot Plant");
    EXPECT_EQ(cells[1], item->parent()->text(0));
    QString shown = cells[2];
    QStringList details;
    if (!cells.value(6).isEmpty())
        details << QString::asprintf("%.2f", cells[6].toDouble()) + ' ' + cells.value(7);
    if (!cells.value(8).isEmpty())
        details << cells[8];
    if (!details.isEmpty())
        shown += " (" + details.join("; ") + ")";
    EXPECT_EQ(shown, item->text(0));
    EXPECT_EQ(cells.mid(3, 3), QStringList({"Main Factory", "Building 1", "Synthesis Bay"}));
}

TEST_F(FacilityExportTest, CancelOrAFailedWriteLeavesNoFileAndALeftTableFailsOneExportOnly)
{
    tree.tree()->setCurrentItem(Facility("Ridgemont Pilot Plant"));
    files.expect(QString());
    tree.ExportSelectionToExcel();
    EXPECT_FALSE(QFile::exists(workbook));
    EXPECT_EQ(TempTables(), 0);

    const QString unwritable = app.root() + "missing/export.xlsx";
    files.expect(unwritable);
    prompts.expect(IDOK);
    tree.ExportSelectionToExcel();
    EXPECT_EQ(prompts.lastText(), "The report could not be written to " + unwritable + ".");
    EXPECT_EQ(TempTables(), 0);

    equipment.Execute("CREATE TABLE TempEquipmentIDTable (ActualEquipmentID INTEGER)");
    prompts.expect(IDOK);
    tree.ExportSelectionToExcel();
    EXPECT_TRUE(prompts.lastText().contains("TempEquipmentIDTable")) << prompts.lastText().toStdString();
    EXPECT_EQ(TempTables(), 0);
    files.expect(workbook);
    tree.ExportSelectionToExcel();
    EXPECT_TRUE(QFile::exists(workbook));
    EXPECT_TRUE(opener.opened.isEmpty()); // no window shows
}

TEST_F(FacilityExportTest, TheWorkbookOpensOnTheDesktopWhileAWindowShows)
{
    tree.show();
    tree.tree()->setCurrentItem(Facility("Ridgemont Pilot Plant"));
    files.expect(workbook);
    tree.OnCommand(ID_FACILITY_EXPORT);
    EXPECT_EQ(opener.opened, QStringList{workbook});
}

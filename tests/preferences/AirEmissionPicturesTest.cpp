// With QV_SHOTS_DIR set, pictures of the vapour emission sheet on the Demo project: an edit on
// each of its first three pages (em1-<page>.png). Without it the edits still have to show.

#include "AirEmissionSheetTestFixture.h"

#include <QDir>

namespace {
void SaveSheetPicture(QWidget* sheet, const QString& name)
{
    const QString folder = qEnvironmentVariable("QV_SHOTS_DIR");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    sheet->grab().save(QDir(folder).filePath("em1-" + name + ".png"));
}
} // namespace

TEST_F(AirEmissionSheetTest, PicturesOfAnEditOnEachPage)
{
    CPreferAirEmissionDialog sheet;
    sheet.resize(560, 620);
    sheet.show();
    auto* models = modelPage(sheet);
    pick(models, 26);
    models->Grid()->SetValueWithItemData(2, 2, "Heating", 1008);
    models->Grid()->SetCurrentCell(2, 2);
    SaveSheetPicture(&sheet, "models");
    CObjectGridWnd* parameters = open<CVaporEmissionParameterTab>(sheet, 1)->Grid();
    parameters->SetValueRowCol(1, 3, "kg/hr");
    parameters->SetCurrentCell(1, 3);
    SaveSheetPicture(&sheet, "parameters");
    CObjectGridWnd* efficiencyGrid = open<CVaporEmissionCtrlEfficiencyTab>(sheet, 2)->Grid();
    efficiencyGrid->SetValueRowCol(3, 2, "85");
    efficiencyGrid->SetCurrentCell(3, 2);
    SaveSheetPicture(&sheet, "efficiencies");
    ASSERT_TRUE(sheet.PressOK());
    EXPECT_EQ(ranks(26, 100501), "1:1002,2:1008");
    EXPECT_EQ(parameter("Leak Rate"), "0.5 kghr");
    EXPECT_EQ(efficiencies(), "Hazardous Air Pollutant=95.0,Ozone Depleting Substance=85.0,"
                              "Volatile Organic Compound=90.0");
}

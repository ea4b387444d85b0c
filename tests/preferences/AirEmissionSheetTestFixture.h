#pragma once
// The vapour emission sheet on a generated Demo project: the regulatory library built into the
// fake install folder, a main frame serving the leak-rate display list, scripted prompts and
// recorded help.

#include "OptionsTestFixture.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/controls/CollationSort.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/db/content/RegulatoryLibrary.h"
#include "preferences/emissions/PreferAirEmissionDialog.h"
#include "preferences/emissions/VaporEmissionCtrlEfficiencyTab.h"
#include "preferences/emissions/VaporEmissionModelPreferenceTab.h"
#include "preferences/emissions/VaporEmissionParameterTab.h"

#include <QComboBox>
#include <QDir>

class LeakRateListFrame : public SortServices {
public:
    void SortComboBoxItems(QComboBox* combo) override { CollationSortComboBox(combo); }
    void SortTexts(QStringList& texts) override { CollationSortTexts(texts); }
    QStringList GetDisplayVector(const QString& listName) override
    {
        return listName == "LeakRateListData" ? QStringList{"lb/hr", "kg/hr"} : QStringList{};
    }
    bool GetDisplayValue(const QString& listName, const QString& key, QString& out) override
    {
        const int at = listName == "LeakRateListData" ? QStringList{"lbhr", "kghr"}.indexOf(key) : -1;
        if (at >= 0)
            out = GetDisplayVector(listName).at(at);
        return at >= 0;
    }
    bool GetKeyValue(const QString& listName, const QString& display, QString& out) override
    {
        const int at = GetDisplayVector(listName).indexOf(display);
        if (at >= 0)
            out = QStringList{"lbhr", "kghr"}.at(at);
        return at >= 0;
    }
};

class AirEmissionSheetTest : public ToolOptionsTest {
protected:
    void SetUp() override
    {
        ToolOptionsTest::SetUp();
        const QString install = m_app.paths()->installDir();
        ASSERT_TRUE(QDir().mkpath(install));
        QString error;
        ASSERT_TRUE(BuildRegulatoryLibrary(install + REGULATORY_LIBRARY_FILE, &error)) << error.toStdString();
        m_installed.Install<SortServices>(&m_sortFrame);
        m_app.setProjectModified(false);
    }

    // "rank:model" of the stored rows of one kind, in rank order.
    std::string ranks(long type, long kind)
    {
        return value(
                   QString(
                       "SELECT group_concat(SequenceNumber || ':' || AirEmissionModelID, ',') FROM (SELECT * "
                       "FROM \"PREFER-AirEmission\" WHERE OperationTypeID = %1 AND EquipmentFieldTypeID = %2 "
                       "ORDER BY SequenceNumber, RowKey)")
                       .arg(type)
                       .arg(kind))
            .toString()
            .toStdString();
    }
    std::string efficiencies()
    {
        return value("SELECT group_concat(ComponentCategory || '=' || ControlEfficiency, ',') FROM (SELECT * "
                     "FROM "
                     "\"PREFER-ControlEfficiency\" ORDER BY ComponentCategory)")
            .toString()
            .toStdString();
    }
    std::string parameter(const QString& name)
    {
        return value(
                   "SELECT CurrentDefaultValue || ' ' || ifnull(CurrentValueUOM, '-') FROM OperationDefaults "
                   "WHERE DefaultName = '" +
                   name + "'")
            .toString()
            .toStdString();
    }
    template <typename Page> Page* open(CPreferAirEmissionDialog& sheet, int index)
    {
        EXPECT_TRUE(sheet.SetActivePage(index));
        return dynamic_cast<Page*>(sheet.GetPage(index));
    }
    CVaporEmissionModelPreferenceTab* modelPage(CPreferAirEmissionDialog& sheet)
    {
        return open<CVaporEmissionModelPreferenceTab>(sheet, 0);
    }
    // Shows the operation type as the user's pick in the combo would.
    void pick(CVaporEmissionModelPreferenceTab* page, long type)
    {
        page->OperationCombo()->setCurrentIndex(page->OperationCombo()->findData(qlonglong(type)));
        page->OnSelChangeOperation();
    }

    void OKWithABrokenPage(const QString& breakIt, bool modelsWritten);

    LeakRateListFrame m_sortFrame;
};

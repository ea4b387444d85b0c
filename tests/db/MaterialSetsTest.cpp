// The material recordsets on the generated Demo project's material database and on a databank
// file: which rows they read, when they reconnect, the Null sentinels and the property delete.

#include "MaterialDatabank.h"
#include "RecordsetFixture.h"
#include "ScriptedPrompts.h"
#include "foundation/db/material/MaterialCommonSet.h"
#include "foundation/db/material/MaterialPropertySet.h"
#include "foundation/db/material/MixtureSet.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

class MaterialSetsTest : public RecordsetFixture {
protected:
    void SetUp() override
    {
        RecordsetFixture::SetUp();
        m_mtl = pathOf("Demo.mtl");
        m_water = materialID("Water");
        m_methanol = materialID("Methanol");
    }
    void TearDown() override
    {
        CMaterialCommonSet::Destroy();
        CMaterialPropertySet::Destroy();
    }

    long materialID(const QString& name) const
    {
        return long(
            scalar(m_mtl, "SELECT MaterialID FROM ActualMaterialCommon WHERE MaterialName = ?", {name})
                .toLongLong());
    }
    QString databank() { return WriteMaterialDatabank(pathOf("Halvorix.mdb")); }
    QString typeOf(const QString& column, long materialID, long propertyID) const
    {
        return scalar(m_mtl,
                      QString("SELECT typeof(%1) FROM ActualMaterialProperty WHERE MaterialID = ? AND "
                              "MaterialPropertyID = ?")
                          .arg(column),
                      {qlonglong(materialID), qlonglong(propertyID)})
            .toString();
    }

    QString m_mtl;
    long m_water = 0, m_methanol = 0;
};

} // namespace

TEST_F(MaterialSetsTest, CommonSetReadsOneMaterialOrEveryOneInIdOrder)
{
    CMaterialCommonSet* set = CMaterialCommonSet::Instance();
    ASSERT_TRUE(set->OpenSet(m_water, QString(), QString()));
    ASSERT_EQ(set->GetRecordCount(), 1);
    EXPECT_EQ(set->getMaterialName(), "Water");
    EXPECT_EQ(set->getMaterialID(), m_water);
    EXPECT_EQ(set->getCASCode(), "7732-18-5");
    EXPECT_EQ(set->getAlias(), "");                   // Null text
    EXPECT_EQ(set->getCost(), 1e35);                  // Null number
    EXPECT_EQ(set->getMaterialTypeID(), -999999999L); // Null whole number
    EXPECT_EQ(set->getLookupParams(), "");

    ASSERT_TRUE(set->OpenSet(-1, QString(), QString()));
    EXPECT_EQ(set->GetRecordCount(), count(m_mtl, "SELECT count(*) FROM ActualMaterialCommon"));
    const QList<long> ids = column(*set, "MaterialID");
    EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));

    ASSERT_TRUE(set->OpenSet(987654, QString(), QString()));
    EXPECT_EQ(set->GetRecordCount(), 0);
    EXPECT_EQ(set->getMaterialName(), ""); // no current row: the presets
}

// The name read answers as OpenSet does, on the first call (which opens the connection) and on
// the kept statement after it: one material, -1 (the first in id order) and an absent id.
TEST_F(MaterialSetsTest, NameReadMatchesOpenSetFirstAndOnTheKeptConnection)
{
    CMaterialCommonSet* set = CMaterialCommonSet::Instance();
    ASSERT_TRUE(set->OpenSet(-1));
    const QString lowest = set->getMaterialName();
    CMaterialCommonSet::Destroy();
    const struct {
        long id;
        bool found;
        QString name;
    } cases[] = {{m_water, true, "Water"}, {-1, true, lowest}, {987654, false, "kept"}};
    for (const auto& row : cases) {
        for (int call = 0; call < 2; ++call) {
            QString name = "kept";
            bool found = !row.found;
            ASSERT_TRUE(CMaterialCommonSet::Instance()->ReadMaterialName(row.id, &name, &found)) << row.id;
            EXPECT_EQ(found, row.found) << row.id << " call " << call;
            EXPECT_EQ(name, row.name) << row.id << " call " << call;
        }
        EXPECT_TRUE(CSharedConnection::isOpen(m_mtl));
        CMaterialCommonSet::Destroy();
    }
    m_app.fileSet().materialsDBPath.clear();
    bool found = true;
    EXPECT_FALSE(CMaterialCommonSet::Instance()->ReadMaterialName(m_water, nullptr, &found));
}

TEST_F(MaterialSetsTest, SamePathRequeriesAndKeepsItsConnectionAcrossCloseSet)
{
    CMaterialCommonSet* set = CMaterialCommonSet::Instance();
    ASSERT_TRUE(set->OpenSet(m_water));
    CDaoDatabase* first = set->GetDatabase();
    ASSERT_TRUE(set->OpenSet(m_methanol, m_mtl, QString()));
    EXPECT_EQ(set->GetDatabase(), first);
    EXPECT_EQ(set->getMaterialName(), "Methanol");

    set->CloseSet();
    EXPECT_FALSE(set->IsOpen());
    EXPECT_TRUE(CSharedConnection::isOpen(m_mtl));
    ASSERT_TRUE(set->OpenSet(m_water));
    EXPECT_EQ(set->GetDatabase(), first);
    EXPECT_EQ(set->GetDatabase()->GetRole(), DatabaseRole::WorkingCopy);

    set->CloseDatabase();
    EXPECT_FALSE(CSharedConnection::isOpen(m_mtl));
}

TEST_F(MaterialSetsTest, AnotherPathLetsGoOfTheOldConnectionFirst)
{
    const QString bank = databank();
    CMaterialCommonSet* set = CMaterialCommonSet::Instance();
    ASSERT_TRUE(set->OpenSet(m_water));
    ASSERT_TRUE(CSharedConnection::isOpen(m_mtl));
    ASSERT_TRUE(set->OpenSet(1, bank, "Halvorix Solids"));
    EXPECT_FALSE(CSharedConnection::isOpen(m_mtl));
    EXPECT_EQ(set->GetDatabase()->GetRole(), DatabaseRole::ReadOnly);
    EXPECT_EQ(set->GetOpenedPath(), bank);
    EXPECT_EQ(set->GetOpenedDataSource(), "Halvorix Solids");
}

// Each source of one databank file, named in any letter case, on one kept connection: switching
// the source reopens the set there rather than requerying the last source's query.
TEST_F(MaterialSetsTest, ThreeDatabanksInOneFileShareTheConnection)
{
    const QString bank = databank();
    CMaterialCommonSet* common = CMaterialCommonSet::Instance();
    CMaterialPropertySet* property = CMaterialPropertySet::Instance();
    ASSERT_TRUE(common->OpenSet(1, bank, "Halvorix Pure Components"));
    CDaoDatabase* connection = common->GetDatabase();
    for (const DatabankRow& row : DATABANK_ROWS) {
        for (const QString& text : {QString(row.source), QString(row.source).toUpper()}) {
            SCOPED_TRACE(text.toStdString());
            ASSERT_TRUE(common->OpenSet(1, bank, text));
            EXPECT_EQ(common->GetDatabase(), connection);
            EXPECT_EQ(common->getMaterialName(), row.name);
            EXPECT_EQ(common->getDataSource(), row.source);
            ASSERT_TRUE(property->OpenSet(1, 1, bank, text));
            EXPECT_DOUBLE_EQ(property->getDoubleValue(), row.molecularWeight);
        }
    }
    // An empty path and source: the project's own material database again.
    ASSERT_TRUE(common->OpenSet(m_water, QString(), QString()));
    EXPECT_EQ(common->getMaterialName(), "Water");
}

TEST_F(MaterialSetsTest, UnknownDataSourceFailsWithTheDatabaseText)
{
    const QString bank = databank();
    ScriptedPromptService prompts;
    prompts.expect(IDOK);
    prompts.expect(IDOK);
    EXPECT_FALSE(CMaterialCommonSet::Instance()->OpenSet(1, bank, "Halvorix Gases"));
    EXPECT_FALSE(CMaterialPropertySet::Instance()->OpenSet(1, 1, bank, "Halvorix Solids "));
    ASSERT_EQ(prompts.texts().size(), 2);
    EXPECT_EQ(prompts.texts(), QStringList({"Unknown database error.", "Unknown database error."}));
    // The connection stays for the next call on that file.
    EXPECT_TRUE(CMaterialCommonSet::Instance()->OpenSet(1, bank, "halvorix solids"));
}

TEST_F(MaterialSetsTest, PropertySeekFindsOneRowAndMinusOneSkipsTheSeek)
{
    CMaterialPropertySet* set = CMaterialPropertySet::Instance();
    ASSERT_TRUE(set->OpenSet(m_water, 1));
    EXPECT_DOUBLE_EQ(set->getDoubleValue(), 18.02);
    EXPECT_EQ(set->getValueUOM(), "g/gmol");
    EXPECT_EQ(set->getTextValue(), "");
    EXPECT_EQ(set->getIntegerValue(), -999999999L);
    EXPECT_EQ(set->getMaterialPropertyID(), 1L);

    EXPECT_FALSE(set->OpenSet(m_water, 99));
    EXPECT_TRUE(set->OpenSet(m_water, -1));
    EXPECT_EQ(set->GetRecordCount(), 0);
    EXPECT_EQ(set->getDoubleValue(), 1e35);
    EXPECT_TRUE(set->OpenSet(-1, 1));
}

TEST_F(MaterialSetsTest, SeeksAndReadsSeeLaterWrites)
{
    CMaterialPropertySet* set = CMaterialPropertySet::Instance();
    ASSERT_TRUE(set->OpenSet(m_water, 1));
    EXPECT_DOUBLE_EQ(set->ReadDoubleValue(m_water, 1), 18.02);
    scalar(m_mtl, "UPDATE ActualMaterialProperty SET DoubleValue = 18.015 WHERE MaterialID = ?",
           {qlonglong(m_water)});
    EXPECT_DOUBLE_EQ(set->ReadDoubleValue(m_water, 1), 18.015);
    ASSERT_TRUE(set->OpenSet(m_water, 1));
    EXPECT_DOUBLE_EQ(set->getDoubleValue(), 18.015);
    scalar(m_mtl, "DELETE FROM ActualMaterialProperty WHERE MaterialID = ?", {qlonglong(m_water)});
    EXPECT_EQ(set->ReadDoubleValue(m_water, 1), 1e35);
}

TEST_F(MaterialSetsTest, ReadsCloseTheSetKeepTheConnectionAndAnswerSentinels)
{
    scalar(
        m_mtl,
        "INSERT INTO ActualMaterialProperty (MaterialID, MaterialPropertyID, IntegerValue) VALUES (?, 5, 42)",
        {qlonglong(m_water)});
    CMaterialPropertySet* set = CMaterialPropertySet::Instance();
    EXPECT_DOUBLE_EQ(set->ReadDoubleValue(m_water, 1), 18.02);
    EXPECT_FALSE(set->IsOpen());
    CDaoDatabase* connection = set->GetDatabase();
    ASSERT_TRUE(connection);
    EXPECT_EQ(set->ReadIntegerValue(m_water, 5), 42L);
    EXPECT_EQ(set->ReadDoubleValue(m_water, 5), 1e35);          // Null
    EXPECT_EQ(set->ReadDoubleValue(m_water, 77), 1e35);         // no row
    EXPECT_EQ(set->ReadIntegerValue(m_water, 1), -999999999L);  // Null
    EXPECT_EQ(set->ReadIntegerValue(m_water, 77), -999999999L); // no row
    EXPECT_EQ(set->GetDatabase(), connection);
    EXPECT_FALSE(set->IsOpen());

    // After a databank open the next read goes back to the project's rows.
    ASSERT_TRUE(set->OpenSet(1, 1, databank(), "Halvorix Solids"));
    EXPECT_DOUBLE_EQ(set->ReadDoubleValue(m_water, 1), 18.02);
    EXPECT_TRUE(set->GetOpenedDataSource().isEmpty());
}

TEST_F(MaterialSetsTest, ReadWithoutAProjectAnswersTheSentinel)
{
    m_app.fileSet().materialsDBPath.clear();
    EXPECT_EQ(CMaterialPropertySet::Instance()->ReadDoubleValue(m_water, 1), 1e35);
    EXPECT_FALSE(CMaterialCommonSet::Instance()->OpenSet(m_water));
}

TEST_F(MaterialSetsTest, SentinelsAndNaNAreStoredAsNull)
{
    CMaterialPropertySet* set = CMaterialPropertySet::Instance();
    ASSERT_FALSE(set->OpenSet(m_water, 9));
    set->AddNew();
    set->setMaterialID(m_water);
    set->setMaterialPropertyID(9);
    set->setDoubleValue(1e35);
    set->setIntegerValue(-999999999);
    set->setTextValue("");
    set->setValueUOM("kg");
    set->Update();
    EXPECT_EQ(typeOf("DoubleValue", m_water, 9), "null");
    EXPECT_EQ(typeOf("IntegerValue", m_water, 9), "null");
    EXPECT_EQ(typeOf("TextValue", m_water, 9), "null");
    EXPECT_EQ(typeOf("ValueUOM", m_water, 9), "text");

    ASSERT_TRUE(set->OpenSet(m_water, 1));
    set->Edit();
    set->setDoubleValue(std::numeric_limits<double>::quiet_NaN());
    set->Update();
    EXPECT_EQ(typeOf("DoubleValue", m_water, 1), "null");
    EXPECT_EQ(set->ReadDoubleValue(m_water, 1), 1e35);

    CMaterialCommonSet* common = CMaterialCommonSet::Instance();
    ASSERT_TRUE(common->OpenSet(m_water));
    common->Edit();
    common->setMaterialTypeID(-999999999);
    common->setCost(12.5);
    common->Update();
    ASSERT_TRUE(common->OpenSet(m_water));
    EXPECT_EQ(common->getMaterialTypeID(), -999999999L);
    EXPECT_EQ(common->getCost(), 12.5);
    EXPECT_TRUE(scalar(m_mtl, "SELECT MaterialTypeID FROM ActualMaterialCommon WHERE MaterialID = ?",
                       {qlonglong(m_water)})
                    .isNull());
}

TEST_F(MaterialSetsTest, DeleteNeedsAnOpenDatabaseAndReportsAFailedDelete)
{
    CMaterialPropertySet* set = CMaterialPropertySet::Instance();
    EXPECT_FALSE(set->DeleteMaterialProperties(m_water)); // never opened: no database, no message

    EXPECT_DOUBLE_EQ(set->ReadDoubleValue(m_methanol, 1), 32.04); // the set closed, its database open
    ASSERT_TRUE(set->DeleteMaterialProperties(m_water));
    EXPECT_EQ(
        count(m_mtl,
              QString("SELECT count(*) FROM ActualMaterialProperty WHERE MaterialID = %1").arg(m_water)),
        0);
    EXPECT_EQ(set->ReadDoubleValue(m_methanol, 1), 32.04);

    set->CloseDatabase();
    EXPECT_FALSE(set->DeleteMaterialProperties(m_methanol));

    // Another project's material database opens read-only: the delete fails with its text.
    const QString other = QFileInfo(writeOtherDemo("other")).dir().filePath("Demo.mtl");
    ASSERT_TRUE(set->OpenSet(m_methanol, 1, other, QString()));
    ScriptedPromptService prompts;
    prompts.expect(IDOK);
    EXPECT_FALSE(set->DeleteMaterialProperties(m_methanol));
    EXPECT_TRUE(prompts.lastText().contains("readonly", Qt::CaseInsensitive))
        << prompts.lastText().toStdString();
    EXPECT_EQ(count(other, "SELECT count(*) FROM ActualMaterialProperty"),
              count(m_mtl, "SELECT count(*) FROM ActualMaterialProperty") + 2); // water's weight and density
}

// CloseSet and CloseDatabase act on an object made on its own, and on any object while the
// singleton lives.
TEST_F(MaterialSetsTest, CloseFollowsTheSingletonOrTheObjectsOwnFlag)
{
    CMaterialCommonSet own;
    ASSERT_TRUE(own.OpenSet(m_water));
    own.CloseSet();
    EXPECT_FALSE(own.IsOpen());

    CMaterialCommonSet::Instance();
    CMaterialCommonSet later;
    ASSERT_TRUE(later.OpenSet(m_water));
    CMaterialCommonSet::Destroy();
    later.CloseSet();
    EXPECT_TRUE(later.IsOpen());
    later.CloseDatabase();
    EXPECT_TRUE(CSharedConnection::isOpen(m_mtl));
}

TEST_F(MaterialSetsTest, MixtureRowsOfOneMixtureOrAllInRowOrder)
{
    scalar(m_mtl,
           "INSERT INTO Mixture (MaterialID, ComponentID, Phase, Amount, AmountUOM) VALUES "
           "(500, 2, 'Liquid', 0.7, 'kg'), (501, 4, 'Liquid', 1.0, 'kg'), (500, 1, 'Liquid', 0.3, 'kg')");
    CMixtureSet mixture;
    ASSERT_TRUE(mixture.OpenSet(500));
    EXPECT_EQ(column(mixture, "ComponentID"), QList<long>({2, 1}));
    ASSERT_TRUE(mixture.OpenSet(-1, m_mtl));
    EXPECT_EQ(column(mixture, "MaterialID"), QList<long>({500, 501, 500}));
    ASSERT_TRUE(mixture.OpenSet(502));
    EXPECT_EQ(mixture.GetRecordCount(), 0);
    mixture.CloseSet();
    EXPECT_FALSE(CSharedConnection::isOpen(m_mtl));
}

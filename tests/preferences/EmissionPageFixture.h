#pragma once
// A generated Demo project, open as the program keeps it, for the emission pages that stand
// alone: its facilities and paths, three gaseous pure components besides nitrogen, one gas that
// is not a pure component, and emission models in the model library (two of one name, one of id
// 0). Pages are written as the sheet writes them: inside a transaction, under a savepoint.

#include "FakeAppContext.h"
#include "ScriptedPrompts.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/FacilityExplorer.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "foundation/db/material/MaterialCommonSet.h"
#include "preferences/emissions/EmissionSheetPage.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

class RecordingEquipmentEditor : public EquipmentEditorService {
public:
    bool DotNetInvokeDataEquipment(long facilityID, long equipmentID) override
    {
        calls << QString("%1 %2").arg(facilityID).arg(equipmentID);
        if (onEdit)
            onEdit();
        return true;
    }
    QStringList calls;
    std::function<void()> onEdit;
};

class EmissionPageTest : public ::testing::Test {
public:
    static constexpr long ARGON = 20, FLUE_GAS = 21, HELIUM = 22, WATER = 2, NITROGEN = 1;

protected:
    void SetUp() override
    {
        ProjectSpec spec = CProjectGenerator::DemoProject();
        spec.materials << MaterialSpec{ARGON, "Argon", "Gas", 39.95, "7440-37-1", true}
                       << MaterialSpec{FLUE_GAS, "Flue Gas", "Gas", 30.0, {}, false}
                       << MaterialSpec{HELIUM, "Helium", "GAS", 4.0, "7440-59-7", true};
        ASSERT_TRUE(CProjectGenerator().Write(spec, m_dir.path()));
        m_app.fileSet().projectDBPath = m_dir.filePath("Demo.prj");
        m_app.fileSet().equipmentDBPath = m_dir.filePath("Demo.eqm");
        m_app.fileSet().materialsDBPath = m_dir.filePath("Demo.mtl");
        m_db.Open(m_app.fileSet().projectDBPath, DatabaseRole::WorkingCopy);
        m_equipment.Open(m_app.fileSet().equipmentDBPath, DatabaseRole::ReadWrite);
        exec("INSERT INTO ModelLibrary (OperationTypeID, ModelTypeID, ModelName, ModelKind) VALUES "
             "(4, 1001, 'Displacement', 1), (17, 1002, 'Heating', 1), (26, 1002, 'Heating', 1), "
             "(26, 1008, 'Heating', 1), (18, 1004, 'Gas Sweep', 1), (18, 1005, 'Vacuum', 1), (32, 0, 'Zero', 1)");
    }
    void TearDown() override { CMaterialCommonSet::Destroy(); }

    QString value(const QString& sql)
    {
        QSqlQuery query = m_db.Query(sql);
        return query.next() ? query.value(0).toString() : QString();
    }
    void exec(const QString& sql) { m_db.Execute(sql); }
    QString defaultPaths()
    {
        return value("SELECT group_concat(PlantID || ':' || EquipmentID || '>' || EmissionControlPathID, ' ') "
                     "FROM (SELECT * FROM \"PREFER-DefaultECP\" ORDER BY PlantID, RowKey)");
    }
    // As the sheet writes a page: one transaction, the page under a savepoint of its own. The
    // page's exception text when it failed, "wrote" or "unchanged" otherwise.
    QString writeLikeSheet(CEmissionSheetPage& page)
    {
        CDaoTransaction outer(m_db);
        QString outcome;
        try {
            CDaoTransaction pageLevel(m_db);
            outcome = page.WritePage(m_db) ? "wrote" : "unchanged";
            pageLevel.Commit();
        } catch (const CDaoException& error) {
            outcome = error.GetErrorDescription();
        }
        outer.Commit();
        return outcome;
    }

    QTemporaryDir m_dir;
    FakeAppContext m_app;
    CDaoDatabase& m_db = *(m_app.fileSet().projectDatabase = std::make_unique<CDaoDatabase>());
    CDaoDatabase m_equipment;
    ScriptedPromptService m_prompts;
    RecordingEquipmentEditor m_editor;
    ServiceInstallations m_installed;
};

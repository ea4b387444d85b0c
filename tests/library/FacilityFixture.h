#pragma once
// The Demo project (or another generated one) opened as the program opens it: project, equipment
// and step databases; a Facility Explorer over it; prompts scripted.

#include "FakeAppContext.h"
#include "ScriptedPrompts.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "library/FacilityTree.h"

#include <QSqlQuery>
#include <QTreeWidget>
#include <gtest/gtest.h>

class FacilityFixture : public ::testing::Test {
protected:
    void SetUp() override { Open(CProjectGenerator::DemoProject()); }

    void Open(const ProjectSpec& spec)
    {
        const QString folder = app.root() + "project/";
        CProjectGenerator generator;
        ASSERT_TRUE(generator.Write(spec, folder)) << generator.ErrorText().toStdString();
        app.fileSet().equipmentDBPath = folder + spec.name + ".eqm";
        app.fileSet().projectDatabase = std::make_unique<CDaoDatabase>();
        app.fileSet().projectDatabase->Open(folder + spec.name + ".prj", DatabaseRole::ReadWrite);
        for (const StepSpec& step : spec.steps) {
            const QString path = folder + CProjectGenerator::StepFileName(step.stepID);
            auto database = std::make_unique<CDaoDatabase>();
            database->Open(path, DatabaseRole::ReadWrite);
            app.stepDatabases().add(step.stepID, std::move(database), path);
        }
        equipment.Open(app.fileSet().equipmentDBPath, DatabaseRole::ReadWrite);
        tree.InitTree();
    }

    CDaoDatabase& project() { return *app.fileSet().projectDatabase; }
    static long Count(CDaoDatabase& database, const QString& sql)
    {
        QSqlQuery query = database.Query(sql);
        return query.next() ? long(query.value(0).toLongLong()) : -1;
    }
    QTreeWidgetItem* Facility(const QString& name) const
    {
        const QList<QTreeWidgetItem*> found = tree.tree()->findItems(name, Qt::MatchExactly);
        return found.isEmpty() ? nullptr : found.first();
    }
    QStringList Outline() const
    {
        QStringList lines;
        for (int i = 0; i < tree.tree()->topLevelItemCount(); ++i)
            AddOutline(tree.tree()->topLevelItem(i), 0, lines);
        return lines;
    }
    static void AddOutline(QTreeWidgetItem* item, int level, QStringList& lines)
    {
        lines << QString(2 * level, ' ') + item->text(0);
        for (int i = 0; i < item->childCount(); ++i)
            AddOutline(item->child(i), level + 1, lines);
    }

    FakeAppContext app;
    ScriptedPromptService prompts;
    CDaoDatabase equipment;
    CFacilityTree tree;
};

#pragma once
// The LibraryDemo sample as an open project sees it: working copies of its material and equipment
// databases in the instance folder, the libraries in the project folder, the library component's
// stand-in installed, prompts and the synchronisation's dialogs scripted.

#include "FakeAppContext.h"
#include "ScriptedLibraryDialogs.h"
#include "ScriptedPrompts.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/content/LibraryDemo.h"
#include "library/LibrarySynchroniser.h"
#include "modules/ravelstock/RavelstockComponent.h"

#include <QDir>
#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

class LibrarySyncFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString folder = app.root() + "project/";
        CLibraryDemo demo;
        ASSERT_TRUE(demo.Write(folder)) << demo.ErrorText().toStdString();
        QDir().mkpath(app.root() + "instance");
        ProjectFileSet& files = app.fileSet();
        files.projectDir = folder;
        files.materialsDBPath = app.root() + "instance/LibraryDemo.mwc";
        files.equipmentDBPath = app.root() + "instance/LibraryDemo.ewc";
        ASSERT_TRUE(CopyDatabaseFile(folder + "LibraryDemo.mtl", files.materialsDBPath));
        ASSERT_TRUE(CopyDatabaseFile(folder + "LibraryDemo.eqm", files.equipmentDBPath));
        materials.Open(files.materialsDBPath, DatabaseRole::WorkingCopy);
        equipment.Open(files.equipmentDBPath, DatabaseRole::WorkingCopy);
    }
    void TearDown() override { SetLibraryComponent(m_previous); }

    void Synchronise() { CLibrarySynchroniser().SynchroniseLibraries(); }
    QString Library(const QString& location) const { return app.root() + "project/" + location; }
    // Runs a statement on a library file, as the people who keep it up to date do.
    void EditLibrary(const QString& location, const QString& sql)
    {
        CDaoDatabase library;
        library.Open(Library(location));
        library.Execute(sql);
    }
    static QVariant Value(CDaoDatabase& database, const QString& sql, const QVariantList& values = {})
    {
        QSqlQuery query = database.Query(sql, values);
        return query.next() ? query.value(0) : QVariant();
    }
    // Every row of every table, for comparing before and after.
    static QStringList Dump(CDaoDatabase& database)
    {
        QStringList rows;
        QSqlQuery tables = database.Query("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name");
        QStringList names;
        while (tables.next())
            names << tables.value(0).toString();
        for (const QString& table : names) {
            QSqlQuery query = database.Query(QStringLiteral("SELECT * FROM \"%1\" ORDER BY 1, 2").arg(table));
            while (query.next()) {
                QStringList values{table};
                for (int i = 0; i < query.record().count(); ++i)
                    values << query.value(i).toString();
                rows << values.join('|');
            }
        }
        return rows;
    }

    FakeAppContext app;
    ScriptedPromptService prompts;
    ScriptedLibraryDialogs dialogs;
    CRavelstockComponent component;
    CDaoDatabase materials;
    CDaoDatabase equipment;

private:
    LibraryComponent* m_previous = SetLibraryComponent(&component);
};

#pragma once
// Helpers of the project tests: real database files built from the schema, a private connection
// that reads and writes them without the layer under test, and a child process that stands for
// another program instance.

#include "FakeAppContext.h"
#include "QtPrinters.h"
#include "ScriptedPrompts.h"
#include "foundation/db/SchemaBuilder.h"
#include "modules/steputils/SchemaMigration.h"

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <functional>
#include <gtest/gtest.h>
#include <sys/types.h>

// Runs one statement on the file over a private connection; the first value of the first row.
QVariant RawQuery(const QString& path, const QString& sql);
// One value read through the layer's read-only role.
QVariant LayerValue(const QString& path, const QString& sql);
QByteArray FileBytes(const QString& path);
// Creates the folders on the way.
void WriteTextFile(const QString& path, const QByteArray& bytes);

// What an earlier instance leaves behind in earlier: working copies of the Demo project in folder
// and of every step (of the blank template "Blank" instead: its three files), and the marker
// naming its folder (no longer locked).
void LeaveEarlierInstance(const QString& folder, const QString& earlier, bool blankTemplate = false);

// Runs work in a child process, which reports its answer through a pipe and then waits to be killed.
class ChildProcess {
public:
    explicit ChildProcess(const std::function<bool()>& work);
    ~ChildProcess() { Kill(); }
    void Kill();
    bool succeeded() const { return m_succeeded; }

private:
    pid_t m_child = -1;
    bool m_succeeded = false;
};

class ProjectsFixture : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_TRUE(m_prompts.allAnswersUsed()); }
    void expectOk(int count = 1)
    {
        while (count-- > 0)
            m_prompts.expect(IDOK);
    }
    // A fresh file of the kind in the fixture's folder.
    QString build(DatabaseKind kind, const QString& name);
    QString pathOf(const QString& name) const { return m_app.root() + name; }

    FakeAppContext m_app;
    ScriptedPromptService m_prompts;
};

// The number of the built-in migration of that kind whose file name holds namePart; 0 when none.
inline int MigrationNumberNamed(DatabaseKind kind, const char* namePart)
{
    for (const SchemaMigration& migration : BuiltInMigrations(kind))
        if (migration.name.contains(QLatin1String(namePart)))
            return migration.number;
    return 0;
}

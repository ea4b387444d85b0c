#include "ProjectsTestSupport.h"

#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/content/ProjectGenerator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

QVariant RawQuery(const QString& path, const QString& sql)
{
    const QString name = QStringLiteral("projects-test-raw");
    QVariant value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
        QSqlQuery query(db);
        EXPECT_TRUE(query.exec(sql)) << sql.toStdString() << ": " << query.lastError().text().toStdString();
        if (query.next())
            value = query.value(0);
    }
    QSqlDatabase::removeDatabase(name);
    return value;
}

QVariant LayerValue(const QString& path, const QString& sql)
{
    CDaoDatabase database;
    database.Open(path, DatabaseRole::ReadOnly);
    QSqlQuery query = database.Query(sql);
    return query.next() ? query.value(0) : QVariant();
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteTextFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

void LeaveEarlierInstance(const QString& folder, const QString& earlier, bool blankTemplate)
{
    ASSERT_TRUE(QDir().mkpath(earlier));
    const QString name = blankTemplate ? "Blank" : "Demo";
    const QStringList files =
        blankTemplate ? QStringList{".qvt", ".eqt", ".mtt"} : QStringList{".prj", ".eqm", ".mtl"};
    const QStringList copies{".wc", ".ewc", ".mwc"};
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(CopyDatabaseFile(folder + name + files.at(i), earlier + name + copies.at(i)));
    for (const StepSpec& step : blankTemplate ? QList<StepSpec>() : CProjectGenerator::DemoProject().steps) {
        ASSERT_TRUE(CopyDatabaseFile(folder + CProjectGenerator::StepFileName(step.stepID),
                                     earlier + QString("STEP_%1.WC").arg(step.stepID)));
    }
    WriteTextFile(folder + "WorkingPath.txt", QFile::encodeName(earlier));
}

ChildProcess::ChildProcess(const std::function<bool()>& work)
{
    int ready[2];
    if (::pipe(ready) != 0)
        return;
    m_child = ::fork();
    if (m_child == 0) {
        const char answer = work() ? 1 : 0;
        (void)!::write(ready[1], &answer, 1);
        ::pause();
        ::_exit(0);
    }
    char answer = 0;
    m_succeeded = ::read(ready[0], &answer, 1) == 1 && answer == 1;
    ::close(ready[0]);
    ::close(ready[1]);
}

void ChildProcess::Kill()
{
    if (m_child > 0) {
        ::kill(m_child, SIGKILL);
        ::waitpid(m_child, nullptr, 0);
    }
    m_child = -1;
}

QString ProjectsFixture::build(DatabaseKind kind, const QString& name)
{
    const QString path = pathOf(name);
    QString error;
    EXPECT_TRUE(CSchemaBuilder::Build(kind, path, &error)) << error.toStdString();
    return path;
}

void DropAllTriggers(CDaoDatabase& database)
{
    QSqlQuery triggers = database.Query("SELECT name FROM sqlite_master WHERE type = 'trigger'");
    QStringList names;
    while (triggers.next())
        names << triggers.value(0).toString();
    triggers.finish();
    for (const QString& name : names)
        database.Execute("DROP TRIGGER " + name);
}

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

// A working copy's change number sees only what its registry connection and the layer's file
// functions did, so nothing else in the program may open a database. Allowed: the registry itself,
// the schema builder (it makes new files and refuses an existing one), a read-only ATTACH, and the
// custom-report component's query connection, which opens its two files read-only (never created)
// under an authorizer that allows reading only, so it cannot change a working copy.
TEST(RegistryOnlyTest, OnlyTheConnectionRegistryOpensDatabases)
{
    const QString sourceRoot = QStringLiteral(QV_SOURCE_DIR "/src/");
    const QStringList allowed{"foundation/db/connection/SharedConnection.cpp", "foundation/db/schema/SchemaBuilder.cpp",
                              "modules/customreport/ReportQueryConnection.cpp"};
    const QRegularExpression opening(R"(QSqlDatabase::(addDatabase|cloneDatabase)\s*\(|\bsqlite3_open)");
    const QRegularExpression attach(R"("[^"\n]*\bATTACH\b)", QRegularExpression::CaseInsensitiveOption);
    QStringList offenders;
    int files = 0;
    QDirIterator it(sourceRoot, {"*.cpp", "*.h"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = path.mid(sourceRoot.size());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        const QString text = QString::fromUtf8(file.readAll());
        ++files;
        if (text.contains(opening) && !allowed.contains(relative))
            offenders << relative + ": opens a database outside the registry";
        if (text.contains(attach) && !text.contains(QLatin1String("mode=ro")))
            offenders << relative + ": an ATTACH that is not read-only (mode=ro)";
    }
    EXPECT_GT(files, 100);
    EXPECT_EQ(offenders, QStringList());
}

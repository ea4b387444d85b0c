#include "foundation/db/recordsets/NewItemID.h"

#include "foundation/common/UniqueID.h"
#include "foundation/db/connection/DaoDatabase.h"

#include <QDir>
#include <QRegularExpression>
#include <QSet>
#include <QSqlQuery>

#include <limits>

namespace {
constexpr long LARGEST_ID = std::numeric_limits<qint32>::max();

struct CounterTables {
    QString counterColumn;
    QStringList idQueries; // each selects ids of one table
    QStringList filePrefixes;
};

CounterTables TablesOf(ProjectCounter counter)
{
    if (counter == ProjectCounter::Process)
        return {QStringLiteral("ProcessCounter"),
                {QStringLiteral("SELECT ProcessID FROM Process"),
                 QStringLiteral("SELECT ProcessID FROM \"Process-To-Project\""),
                 QStringLiteral("SELECT ProcessID FROM \"Step-To-Process\"")},
                {QStringLiteral("QVPROC_")}};
    return {QStringLiteral("StepCounter"),
            {QStringLiteral("SELECT StepID FROM ProjectStep"), QStringLiteral("SELECT StepID FROM \"Step-To-Process\"")},
            {QStringLiteral("QVSTEP_"), QStringLiteral("STEP_")}};
}

// The ids in names "<prefix><id>" or "<prefix><id>.<anything>" of a folder, case ignored.
void AddFileIDs(const QString& folder, const QString& prefix, QSet<long>& ids)
{
    if (folder.isEmpty())
        return;
    const QRegularExpression pattern("^" + QRegularExpression::escape(prefix) + "(\\d+)(\\..*)?$",
                                     QRegularExpression::CaseInsensitiveOption);
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        const QRegularExpressionMatch match = pattern.match(name);
        bool ok = false;
        const long id = match.hasMatch() ? match.captured(1).toLong(&ok) : 0;
        if (ok)
            ids.insert(id);
    }
}

void AddQueryIDs(CDaoDatabase& project, const QString& sql, QSet<long>& ids)
{
    QSqlQuery query = project.Query(sql);
    while (query.next())
        ids.insert(long(query.value(0).toLongLong()));
}

long StoredCounter(CDaoDatabase& project, const QString& column)
{
    QSqlQuery query = project.Query("SELECT MAX(" + column + ") FROM Project");
    return query.next() ? long(query.value(0).toLongLong()) : 0;
}

QSet<long> TakenIDs(CDaoDatabase& project, const CounterTables& tables, const NewIDSources& sources)
{
    QSet<long> ids(sources.registeredStepIDs.cbegin(), sources.registeredStepIDs.cend());
    for (const QString& sql : tables.idQueries)
        AddQueryIDs(project, sql, ids);
    AddFileIDs(sources.projectDir, tables.filePrefixes.first(), ids);
    for (const QString& prefix : tables.filePrefixes.mid(1)) {
        AddFileIDs(sources.projectDir, prefix, ids);
        AddFileIDs(sources.workingCopyDir, prefix, ids);
    }
    return ids;
}
} // namespace

long NextUnusedID(long highest, const QSet<long>& taken)
{
    if (highest < LARGEST_ID)
        return highest + 1;
    return GenerateUniqueID([&taken](long candidate) {
        return candidate <= 0 || candidate > LARGEST_ID || taken.contains(candidate);
    });
}

long AllocateProjectID(CDaoDatabase& project, ProjectCounter counter, const NewIDSources& sources)
{
    return AllocateProjectIDs(project, counter, sources, 1).constFirst();
}

QList<long> AllocateProjectIDs(CDaoDatabase& project, ProjectCounter counter, const NewIDSources& sources, int count)
{
    const CounterTables tables = TablesOf(counter);
    NewIDSources own = sources;
    if (counter == ProjectCounter::Process)
        own.registeredStepIDs.clear();
    QSet<long> taken = TakenIDs(project, tables, own);
    long highest = StoredCounter(project, tables.counterColumn);
    for (long id : taken)
        highest = std::max(highest, id);
    QList<long> ids;
    for (int i = 0; i < count; ++i) {
        const long id = NextUnusedID(highest, taken);
        highest = std::max(highest, id);
        taken.insert(id);
        ids.append(id);
    }
    return ids;
}

void StoreProjectCounter(CDaoDatabase& project, ProjectCounter counter, long id)
{
    const QString column = TablesOf(counter).counterColumn;
    project.Execute("UPDATE Project SET " + column + " = MAX(" + column + ", ?)", {qlonglong(id)});
}

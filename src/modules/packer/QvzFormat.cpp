#include "modules/packer/QvzFormat.h"

#include "foundation/common/PathHelpers.h"
#include "foundation/common/UserSimSequenceFile.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseHeader.h"
#include "foundation/db/schema/ReadTimeGuard.h"
#include "foundation/db/schema/SchemaObjectCheck.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

#include <optional>
#include <utility>

namespace {
const QByteArray QVZ_ROOT_MAGIC = QByteArrayLiteral("Quorvanta compound project ");

struct PackedProject {
    QList<long> stepIDs;
    QList<std::pair<long, QString>> plans; // id, name
};

// Why the project file's schema may not be read: a view or trigger of another making would run at
// the first read. An older file's own stale views are read as they are, under the guard.
QString PackedProjectRefusal(const QString& projectFile)
{
    const SchemaObjectReview review = ReviewSchemaObjectsOfFile(projectFile, DatabaseKind::Project);
    if (!review.unreadable.isEmpty())
        return review.unreadable;
    const std::optional<DatabaseHeader> header = ReadStandaloneHeader(projectFile);
    const bool older = header && header->userVersion < CSchemaBuilder::SchemaVersion(DatabaseKind::Project);
    return older ? review.foreign : review.DescribeCurrent();
}

// Every row of the statement; a statement interrupted or failing part-way raises.
template <typename Take> void ReadRows(CDaoDatabase& database, const QString& sql, Take take)
{
    QSqlQuery query = database.Query(sql);
    while (query.next())
        take(query);
    if (query.lastError().isValid())
        throw CDaoException::fromSqlError(query.lastError());
}

// The steps the project lists (each once, in step order) and its plans, read under the read guard.
void ReadPackedRows(CDaoDatabase& database, PackedProject& project)
{
    ReadRows(database, QStringLiteral("SELECT StepID FROM QryStepInProject ORDER BY StepID, ProcessID"),
             [&project](const QSqlQuery& row) {
                 const long stepID = long(row.value(0).toLongLong());
                 if (project.stepIDs.isEmpty() || project.stepIDs.constLast() != stepID)
                     project.stepIDs.append(stepID);
             });
    ReadRows(database, QStringLiteral("SELECT PlanID, PlanName FROM ProductionPlan ORDER BY PlanID"),
             [&project](const QSqlQuery& row) {
                 project.plans.append({long(row.value(0).toLongLong()), row.value(1).toString()});
             });
}

// The project file read only through the schema review and the read guard: what a folder holds
// may come from anyone, and an endless view there would hold the pack for good.
bool ReadPackedProject(const QString& projectFile, PackedProject& project, QString& error)
{
    if (const QString refusal = PackedProjectRefusal(projectFile); !refusal.isEmpty()) {
        error = QStringLiteral("The steps of %1 cannot be read: %2").arg(projectFile, refusal);
        return false;
    }
    bool expired = false;
    try {
        CDaoDatabase database;
        database.Open(projectFile, DatabaseRole::ReadOnly);
        const CReadTimeGuard guard(database);
        try {
            ReadPackedRows(database, project);
            return true;
        } catch (const CDaoException&) {
            expired = guard.Expired();
            throw;
        }
    } catch (const CDaoException& failure) {
        error = QStringLiteral("The steps of %1 cannot be read: %2")
                    .arg(projectFile, expired ? QStringLiteral("reading it took longer than %1 seconds")
                                                    .arg(CReadTimeGuard::DEFAULT_MILLISECONDS / 1000)
                                              : failure.GetErrorDescription());
        return false;
    }
}

// The plans' sequence files that lie in the folder (a plan need not have one).
void AddQvzSequenceFiles(const QString& folder, const PackedProject& project, QList<QvzMember>& members)
{
    for (const auto& [planID, planName] : project.plans) {
        const QString name = UserSimSequenceFileName(planName, planID);
        const QString path = FindFileNoCase(folder, name);
        if (!path.isEmpty() && IsPlainQvzName(name))
            members.append({name, path});
    }
}

bool AddQvzMember(const QString& folder, const QString& entryName, QList<QvzMember>& members, QString& error)
{
    const QString path = FindFileNoCase(folder, entryName);
    if (path.isEmpty()) {
        error = QStringLiteral("%1 is missing from %2").arg(entryName, folder);
        return false;
    }
    members.append({entryName, path});
    return true;
}
} // namespace

QByteArray QvzRootText(const QString& baseName)
{
    return QVZ_ROOT_MAGIC + QByteArray::number(QVZ_FORMAT_VERSION) + '\n' + baseName.toUtf8() + '\n';
}

bool ParseQvzRoot(const QByteArray& text, QString& baseName)
{
    const QList<QByteArray> lines = text.split('\n');
    if (lines.size() != 3 || !lines.at(2).isEmpty() ||
        lines.at(0) != QVZ_ROOT_MAGIC + QByteArray::number(QVZ_FORMAT_VERSION))
        return false;
    const QString name = QString::fromUtf8(lines.at(1));
    if (!IsPlainQvzName(name) || name.toUtf8() != lines.at(1))
        return false;
    baseName = name;
    return true;
}

bool IsPlainQvzName(const QString& name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') &&
           !name.contains(u'\\') && !name.contains(QChar(0)) && name.size() <= 200;
}

bool IsQvzMemberName(const QString& entryName, const QString& baseName)
{
    // Anchored at the very end: "$" would also match before a final line break.
    static const QRegularExpression step(
        QRegularExpression::anchoredPattern(QStringLiteral("STEP_[1-9][0-9]{0,9}\\.STP")));
    return QvzRequiredMembers(baseName).contains(entryName) || step.match(entryName).hasMatch() ||
           IsUserSimSequenceFileName(entryName);
}

QStringList QvzRequiredMembers(const QString& baseName)
{
    return {baseName + QStringLiteral(".prj"), baseName + QStringLiteral(".eqm"),
            baseName + QStringLiteral(".mtl")};
}

bool IsQvzDatabaseMember(const QString& entryName)
{
    return !IsUserSimSequenceFileName(entryName);
}

quint64 QvzMemberLimit(const QString& entryName)
{
    return IsQvzDatabaseMember(entryName) ? quint64(1) << 31 : quint64(1) << 20;
}

QString QvzStepEntryName(long stepID)
{
    return QStringLiteral("STEP_%1.STP").arg(stepID);
}

bool ListQvzMembers(const QString& folder, const QString& baseName, QList<QvzMember>& members, QString& error,
                    const QString& sequenceFolder)
{
    members.clear();
    for (const QString& name : QvzRequiredMembers(baseName)) {
        if (!AddQvzMember(folder, name, members, error))
            return false;
    }
    PackedProject project;
    if (!ReadPackedProject(members.first().sourcePath, project, error))
        return false;
    for (long stepID : project.stepIDs) {
        if (!AddQvzMember(folder, QvzStepEntryName(stepID), members, error))
            return false;
    }
    AddQvzSequenceFiles(sequenceFolder.isEmpty() ? folder : sequenceFolder, project, members);
    return true;
}

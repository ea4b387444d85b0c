#include "modules/packer/QvzFormat.h"

#include "foundation/common/PathHelpers.h"
#include "foundation/common/UserSimSequenceFile.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/recordsets/DaoRecordset.h"
#include "foundation/db/project/QueryStepInProjectSet.h"

#include <QRegularExpression>

namespace {
const QByteArray QVZ_ROOT_MAGIC = QByteArrayLiteral("Quorvanta compound project ");

// The step ids of the project file, each once, in step order.
bool ReadPackedStepIDs(const QString& projectFile, QList<long>& stepIDs)
try {
    return CQueryStepInProjectSet::ReadStepIDs(stepIDs, DaoErrorMode::Show, projectFile);
} catch (const CDaoException&) {
    return false;
}

// The plans of a project file, read-only.
class CPackedPlanSet : public CDaoRecordset {
public:
    CPackedPlanSet() : CDaoRecordset(Definition()) {}
    bool OpenSet(const QString& projectFile) { return OpenOnFile(projectFile, QString(), DatabaseRole::ReadOnly); }
    static const DaoRecordsetDef& Definition()
    {
        static const DaoRecordsetDef def{"SELECT PlanID, PlanName FROM ProductionPlan ORDER BY PlanID",
                                         {{"ProductionPlan", {"PlanID"}}},
                                         {{"PlanID", DaoFieldType::Long}, {"PlanName", DaoFieldType::Text}}};
        return def;
    }
};

// The plans' sequence files that lie in the folder (a plan need not have one).
bool AddQvzSequenceFiles(const QString& folder, const QString& projectFile, QList<QvzMember>& members)
try {
    CPackedPlanSet plans;
    plans.SetErrorMode(DaoErrorMode::Quiet);
    if (!plans.OpenSet(projectFile))
        return false;
    for (; !plans.IsEOF(); plans.MoveNext()) {
        const QString name = UserSimSequenceFileName(plans.GetText(QStringLiteral("PlanName")),
                                                     plans.GetLong(QStringLiteral("PlanID")));
        const QString path = FindFileNoCase(folder, name);
        if (!path.isEmpty() && IsPlainQvzName(name))
            members.append({name, path});
    }
    return true;
} catch (const CDaoException&) {
    return false;
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
    QList<long> stepIDs;
    if (!ReadPackedStepIDs(members.first().sourcePath, stepIDs)) {
        error = QStringLiteral("The steps of %1 cannot be read").arg(members.first().sourcePath);
        return false;
    }
    for (long stepID : stepIDs) {
        if (!AddQvzMember(folder, QvzStepEntryName(stepID), members, error))
            return false;
    }
    if (!AddQvzSequenceFiles(sequenceFolder.isEmpty() ? folder : sequenceFolder, members.first().sourcePath,
                             members)) {
        error = QStringLiteral("The plans of %1 cannot be read").arg(members.first().sourcePath);
        return false;
    }
    return true;
}

#include "projects/OtherProjectFiles.h"

#include "foundation/common/PathHelpers.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "projects/ProjectFileNames.h"

#include <QDir>
#include <QFileInfo>

QString OtherProjectFiles::Folder() const
{
    return WithSlash(QFileInfo(m_projectPath).absolutePath());
}

QString OtherProjectFiles::StepDB(long stepID) const
{
    return Found(StepDatabaseName(stepID));
}

QString OtherProjectFiles::Beside(const QString& extension) const
{
    return Found(QFileInfo(m_projectPath.chopped(qMin(qsizetype(3), m_projectPath.size())) + extension).fileName());
}

// The file of that name in any case; the name as written when the folder holds none.
QString OtherProjectFiles::Found(const QString& fileName) const
{
    const QString found = FindFileNoCase(Folder(), fileName);
    return found.isEmpty() ? Folder() + fileName : found;
}

void OpenOtherProjectFile(CDaoDatabase& database, const QString& path)
{
    database.Open(path, DatabaseRole::ReadOnly);
    database.Execute(QStringLiteral("PRAGMA trusted_schema = OFF"));
}

QString CanonicalProjectPath(const QString& path)
{
    if (path.isEmpty())
        return path;
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

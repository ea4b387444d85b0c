#include "foundation/db/connection/AttachedDatabase.h"

#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

bool IsPlainSchemaName(const QString& name)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z_]+$"));
    return plain.match(name).hasMatch();
}

} // namespace

QString CAttachedDatabase::ReadOnlyUri(const QString& path)
{
    QString escaped = path;
    escaped.replace(QLatin1Char('%'), QLatin1String("%25"))
        .replace(QLatin1Char('?'), QLatin1String("%3F"))
        .replace(QLatin1Char('#'), QLatin1String("%23"));
    return QStringLiteral("file:") + escaped + QStringLiteral("?mode=ro");
}

CAttachedDatabase::CAttachedDatabase(CDaoDatabase& database, const QString& path, const QString& schemaName)
    : m_database(database), m_schemaName(schemaName)
{
    if (!IsPlainSchemaName(schemaName))
        throw CDaoException(QStringLiteral("'%1' is not a valid schema name.").arg(schemaName));
    // Inside a transaction the attached file would stay locked by it and could not be detached.
    if (database.InTransaction())
        throw CDaoException(QStringLiteral("cannot ATTACH database within transaction"));
    const QFileInfo file(path);
    if (path.isEmpty() || !file.isFile())
        throw CDaoException(QStringLiteral("Could not find file '%1'.").arg(path));
    m_database.Execute(QStringLiteral("ATTACH DATABASE ? AS ") + m_schemaName,
                       {ReadOnlyUri(file.absoluteFilePath())});
}

CAttachedDatabase::~CAttachedDatabase()
{
    try {
        m_database.Execute(QStringLiteral("DETACH DATABASE ") + m_schemaName);
    } catch (const CDaoException&) {
    }
}

#include "foundation/db/content/ProjectText.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"

#include <QSqlQuery>

QString ReadProjectText(const char* sql, long id)
{
    CDaoDatabase* project = GetProjectDatabase();
    if (!project || !project->IsOpen())
        return {};
    try {
        QSqlQuery query = project->Query(QString::fromLatin1(sql), {qlonglong(id)});
        return query.next() ? query.value(0).toString() : QString();
    } catch (const CDaoException&) {
        return {};
    }
}

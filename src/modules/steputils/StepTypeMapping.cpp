#include "modules/steputils/StepTypeMapping.h"

#include "foundation/db/connection/DaoDatabase.h"
#include "modules/steputils/ExchangeFormat.h"
#include "modules/steputils/ExchangeRows.h"

#include <QSqlQuery>

#include <functional>

namespace {

struct TypeLibrary {
    ColumnRole role;
    const char* exchangeTable;
    const char* projectTable;
    const char* key;
};

constexpr TypeLibrary TYPE_LIBRARIES[] = {
    {ColumnRole::RangeTypeRef, "ExchangeRangeType", "TblRangeLibrary", "RangeTypeID"},
    {ColumnRole::CommentTypeRef, "ExchangeCommentType", "TblCommentLibrary", "CommentTypeID"},
};

long FirstTypeValue(CDaoDatabase& database, const QString& sql, const QVariantList& values = {})
{
    QSqlQuery query = database.Query(sql, values);
    return query.next() && !query.isNull(0) ? long(query.value(0).toLongLong()) : -1;
}

QString LibrarySql(const char* sql, const TypeLibrary& library)
{
    return QString::fromLatin1(sql).arg(QLatin1String(library.key), QLatin1String(library.projectTable));
}

// Never the default: the project's own default stays.
long AddProjectType(CDaoDatabase& project, const TypeLibrary& library, const QString& name)
{
    const long added =
        FirstTypeValue(project, LibrarySql("SELECT coalesce(max(\"%1\"), 0) + 1 FROM \"%2\"", library));
    project.Execute(
        LibrarySql("INSERT INTO \"%2\" (\"%1\", Description, \"Default\") VALUES (?, ?, 0)", library),
        {qlonglong(added), name});
    return added;
}

long ProjectTypeNamed(CDaoDatabase& project, const TypeLibrary& library, const QString& name)
{
    if (name.trimmed().isEmpty())
        return -1;
    const long found = FirstTypeValue(
        project,
        LibrarySql("SELECT \"%1\" FROM \"%2\" WHERE Description = ? COLLATE NOCASE ORDER BY \"%1\"", library),
        {name});
    return found != -1 ? found : AddProjectType(project, library, name);
}

// The types of each library, as the read gives them ordered by their ids.
QList<TypeMapping> MapTypeRows(CDaoDatabase& project,
                               const std::function<ExchangeRowList(const TypeLibrary&)>& typesOf)
{
    QList<TypeMapping> mappings;
    for (const TypeLibrary& library : TYPE_LIBRARIES)
        for (const QVariantList& row : typesOf(library))
            mappings.append({library.role, long(row.value(0).toLongLong()),
                             ProjectTypeNamed(project, library, row.value(1).toString())});
    return mappings;
}

} // namespace

bool FileCarriesTypes(CDaoDatabase& file)
{
    return FirstTypeValue(file, QStringLiteral("SELECT FormatVersion FROM StepExchange")) >=
           EXCHANGE_TYPES_FORMAT_VERSION;
}

QList<TypeMapping> MapExchangeTypes(CDaoDatabase& file, CDaoDatabase& project)
{
    return MapTypeRows(project, [&file](const TypeLibrary& library) {
        return ReadExchangeRows(file, QStringLiteral("SELECT \"%1\", Description FROM \"%2\" ORDER BY \"%1\"")
                                          .arg(QLatin1String(library.key), QLatin1String(library.exchangeTable)));
    });
}

QList<TypeMapping> MapHeldTypes(const HeldExchangeRows& held, CDaoDatabase& project)
{
    return MapTypeRows(project, [&held](const TypeLibrary& library) {
        return held.Rows(QLatin1String(library.exchangeTable),
                         {QLatin1String(library.key), QStringLiteral("Description")});
    });
}

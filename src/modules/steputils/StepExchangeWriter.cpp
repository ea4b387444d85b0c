#include "modules/steputils/StepExchangeWriter.h"

#include "foundation/db/connection/DaoDatabase.h"
#include "modules/steputils/ExchangeFormat.h"
#include "modules/steputils/ExchangeColumns.h"
#include "modules/steputils/ExchangeRows.h"
#include "modules/steputils/StepRowCopier.h"

#include <QSqlQuery>

namespace {

// A library database, read-only: a connection already open on it (the program's working copy, or
// the caller's) is shared. Any file but the program's own working copy is of another project:
// nothing in its schema may call a function.
void OpenSource(CDaoDatabase& database, const QString& path)
{
    database.Open(path, DatabaseRole::ReadOnly);
    if (database.GetRole() != DatabaseRole::WorkingCopy)
        database.Execute(QStringLiteral("PRAGMA trusted_schema = OFF"));
}

QSet<long> IDsOf(const ExchangeRowList& rows)
{
    QSet<long> ids;
    for (const QVariantList& row : rows)
        if (!row.value(0).isNull() && row.value(0).toLongLong() != -1)
            ids.insert(long(row.value(0).toLongLong()));
    return ids;
}

// The first value of the rows that the reader would refuse in these columns of the table; empty
// when there is none.
QString RowsProblem(const QString& table, const QStringList& columns, const ExchangeRowList& rows)
{
    const QList<ExchangeColumn> catalogued = ColumnsOfTable(table);
    QList<ExchangeColumn> checked;
    for (const QString& name : columns)
        for (const ExchangeColumn& column : catalogued)
            if (column.column == name)
                checked.append(column);
    if (checked.size() != columns.size())
        return QStringLiteral("the table %1 has no such columns").arg(table);
    for (const QVariantList& row : rows)
        for (qsizetype i = 0; i < checked.size(); ++i)
            if (QString problem = CStepRowCopier::ValueProblem(checked.at(i), row.value(i)); !problem.isEmpty())
                return problem;
    return {};
}

} // namespace

CStepExchangeWriter::CStepExchangeWriter(CDaoDatabase& exchange, const ExchangeSources& sources,
                                         HeldExchangeRows* held)
    : m_exchange(exchange), m_sources(sources), m_held(held)
{
}

QString CStepExchangeWriter::Write()
{
    CDaoDatabase project, equipment, materials;
    OpenSource(project, m_sources.projectDB);
    OpenSource(equipment, m_sources.equipmentDB);
    OpenSource(materials, m_sources.materialDB);
    WriteExchangeRow(project);
    WriteUnitSets(project);
    WriteTypes(project);
    WriteEquipment(equipment);
    WriteMaterials(materials);
    return m_problem;
}

// The names the project gives the step, else the step's own.
void CStepExchangeWriter::WriteExchangeRow(CDaoDatabase& project)
{
    ExchangeRowList step = ReadExchangeRows(m_exchange, QStringLiteral("SELECT StepID, StepName, StepVersionName, "
                                                                       "Description FROM Step"));
    const QVariant stepID = m_sources.sourceStepID != 0 ? QVariant(qlonglong(m_sources.sourceStepID)) : step.value(0).value(0);
    const ExchangeRowList named = ReadKeptRows(
        project, QStringLiteral("ProjectStep"),
        QStringLiteral("SELECT StepName, StepVersionName, Description FROM ProjectStep WHERE StepID = ?"), {stepID}, 3);
    const QVariantList names = named.isEmpty() ? step.value(0).mid(1) : named.first();
    Insert(QStringLiteral("StepExchange"), {"FormatVersion", "SourceProject", "StepName", "StepVersionName", "Description", "SourceStepID"},
                       {{EXCHANGE_FORMAT_VERSION, m_sources.projectName, names.value(0), names.value(1),
                         names.value(2), stepID}});
}

void CStepExchangeWriter::WriteUnitSets(CDaoDatabase& project)
{
    CopyItems(project, QStringLiteral("TblUOMSet"), QStringLiteral("ExchangeUnitSet"), QStringLiteral("UOMSetID"),
              StepIDs(QStringLiteral("SELECT InputUOMSetID FROM Step UNION SELECT OutputUOMSetID FROM Step")));
}

// The range and comment types the step's ranges and comments name.
void CStepExchangeWriter::WriteTypes(CDaoDatabase& project)
{
    CopyItems(project, QStringLiteral("TblRangeLibrary"), QStringLiteral("ExchangeRangeType"),
              QStringLiteral("RangeTypeID"),
              StepIDs(QStringLiteral("SELECT DISTINCT RangeTypeID FROM TblRangeData")));
    CopyItems(project, QStringLiteral("TblCommentLibrary"), QStringLiteral("ExchangeCommentType"),
              QStringLiteral("CommentTypeID"),
              StepIDs(QStringLiteral("SELECT DISTINCT CommentTypeID FROM TblCommentData")));
}

void CStepExchangeWriter::WriteEquipment(CDaoDatabase& equipment)
{
    const QSet<long> items = StepIDs(QStringLiteral("SELECT DISTINCT PrimaryEquipmentID FROM UnitProcedure"));
    const QString json = JsonIDs(items);
    CopyItems(equipment, QStringLiteral("ActualEquipmentCommon"), QStringLiteral("ExchangeEquipment"),
              QStringLiteral("ActualEquipmentID"), items);
    CopyItems(equipment, QStringLiteral("ActualEquipmentProperty"), QStringLiteral("ExchangeEquipmentProperty"),
              QStringLiteral("ActualEquipmentID"), items);
    CopyItems(equipment, QStringLiteral("EquipmentClass"), QStringLiteral("ExchangeEquipmentClass"),
              QStringLiteral("EquipmentClassID"),
              IDsOf(ReadKeptRows(equipment, QStringLiteral("ActualEquipmentCommon"),
                                 QStringLiteral("SELECT DISTINCT EquipmentClassID FROM ActualEquipmentCommon "
                                                "WHERE ActualEquipmentID IN (SELECT value FROM json_each(?))"),
                                 {json}, 1)));
    QSet<long> facilities = StepIDs(
        QStringLiteral("SELECT PlantID FROM Step UNION SELECT FacilityID FROM DesignSpecifications WHERE FacilityID > 0"));
    facilities.unite(IDsOf(ReadKeptRows(
        equipment, QStringLiteral("ActualEquipmentCommon"),
        QStringLiteral("SELECT DISTINCT PlantID FROM ActualEquipmentCommon "
                       "WHERE ActualEquipmentID IN (SELECT value FROM json_each(?))"),
        {json}, 1)));
    CopyItems(equipment, QStringLiteral("Plant"), QStringLiteral("ExchangeFacility"), QStringLiteral("PlantID"),
              facilities);
}

// The step's intermediates and, through the mixtures, every component they are made of.
void CStepExchangeWriter::WriteMaterials(CDaoDatabase& materials)
{
    const QSet<long> named = StepIDs(QStringLiteral(
        "SELECT KeyInputIntermediateID FROM Step UNION SELECT KeyOutputIntermediateID FROM Step "
        "UNION SELECT InputIntermediate2ID FROM Step UNION SELECT InputIntermediate3ID FROM Step "
        "UNION SELECT OutputIntermediate2ID FROM Step UNION SELECT OutputIntermediate3ID FROM Step"));
    const QSet<long> items = IDsOf(ReadKeptRows(
        materials, QStringLiteral("Mixture"),
        QStringLiteral("WITH RECURSIVE made(id) AS (SELECT value FROM json_each(?) UNION "
                       "SELECT m.ComponentID FROM Mixture m JOIN made ON m.MaterialID = made.id) "
                       "SELECT id FROM made WHERE id IN (SELECT MaterialID FROM ActualMaterialCommon)"),
        {JsonIDs(named)}, 1));
    CopyItems(materials, QStringLiteral("ActualMaterialCommon"), QStringLiteral("ExchangeMaterial"),
              QStringLiteral("MaterialID"), items);
    CopyItems(materials, QStringLiteral("ActualMaterialProperty"), QStringLiteral("ExchangeMaterialProperty"),
              QStringLiteral("MaterialID"), items);
    CopyItems(materials, QStringLiteral("Mixture"), QStringLiteral("ExchangeMixture"), QStringLiteral("MaterialID"),
              items);
}

QSet<long> CStepExchangeWriter::StepIDs(const QString& sql)
{
    return IDsOf(ReadExchangeRows(m_exchange, sql));
}

QStringList CStepExchangeWriter::LibraryColumns(CDaoDatabase& library, const QString& libraryTable,
                                                const QString& exchangeTable)
{
    if (!m_sources.sharedColumns)
        return SharedColumns(library, libraryTable, exchangeTable);
    const QString key = libraryTable + QLatin1Char('/') + exchangeTable;
    auto found = m_sources.sharedColumns->constFind(key);
    if (found == m_sources.sharedColumns->constEnd())
        found = m_sources.sharedColumns->insert(key, SharedColumns(library, libraryTable, exchangeTable));
    return *found;
}

void CStepExchangeWriter::CopyItems(CDaoDatabase& library, const QString& libraryTable, const QString& exchangeTable,
                                    const QString& keyColumn, const QSet<long>& ids)
{
    if (ids.isEmpty())
        return;
    const QStringList columns = LibraryColumns(library, libraryTable, exchangeTable);
    if (columns.isEmpty())
        return;
    const ExchangeRowList rows = ReadKeptRows(
        library, libraryTable,
        QStringLiteral("SELECT %1 FROM \"%2\" WHERE \"%3\" IN (SELECT value FROM json_each(?))")
            .arg(QuotedColumns(columns), libraryTable, keyColumn),
        {JsonIDs(ids)}, int(columns.size()));
    Insert(exchangeTable, columns, rows);
}

// Nothing more is written once a value was refused.
void CStepExchangeWriter::Insert(const QString& exchangeTable, const QStringList& columns, const ExchangeRowList& rows)
{
    if (m_problem.isEmpty())
        m_problem = RowsProblem(exchangeTable, columns, rows);
    if (!m_problem.isEmpty())
        return;
    if (m_held)
        m_held->Append(exchangeTable, columns, rows);
    else
        InsertExchangeRows(m_exchange, exchangeTable, columns, rows);
}

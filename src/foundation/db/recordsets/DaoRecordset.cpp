#include "foundation/db/recordsets/DaoRecordset.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/OleDate.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/ConnectString.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/recordsets/RecordsetWriter.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>

namespace {

QString parameterName(const QString& name)
{
    return name.startsWith(QLatin1Char(':')) ? name.mid(1) : name;
}

bool sameValue(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    return a == b;
}

[[noreturn]] void noCurrentRecord()
{
    throw CDaoException(QStringLiteral("No current record."));
}

} // namespace

CDaoRecordset::CDaoRecordset(const DaoRecordsetDef& def, CDaoDatabase* database)
    : m_def(&def), m_database(database)
{
}

CDaoRecordset::~CDaoRecordset() = default;

void CDaoRecordset::SetDefinition(const DaoRecordsetDef& def)
{
    Close();
    m_def = &def;
    m_columnIndex.clear();
    m_writeOrder.clear();
    m_insertPlans = {};
}

void CDaoRecordset::SetParameter(const QString& name, const QVariant& value)
{
    m_parameters.insert(parameterName(name), value);
}

QVariant CDaoRecordset::GetParameter(const QString& name) const
{
    return m_parameters.value(parameterName(name));
}

// ---- opening and reading -------------------------------------------------------------------

void CDaoRecordset::Open(CDaoDatabase* database)
{
    if (database)
        m_database = database;
    if (!m_database || !m_database->IsOpen())
        throw CDaoException(QStringLiteral("The database is not open."));
    Close();
    Load();
    m_open = true;
}

void CDaoRecordset::Close()
{
    m_open = false;
    m_rows.clear();
    m_liveCount = 0;
    m_position = -1;
    m_bof = m_eof = true;
    m_editMode = dbEditNone;
    m_lastModified = -1;
}

void CDaoRecordset::Requery()
{
    if (!m_open)
        throw CDaoException(QStringLiteral("The recordset is not open."));
    Open();
}

QString CDaoRecordset::SelectSql() const
{
    if (m_filter.isEmpty() && m_sort.isEmpty())
        return m_def->sql;
    QString sql = QStringLiteral("SELECT * FROM (") + m_def->sql + QLatin1Char(')');
    if (!m_filter.isEmpty())
        sql += QStringLiteral(" WHERE ") + m_filter;
    if (!m_sort.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + m_sort;
    return sql;
}

void CDaoRecordset::Load()
{
    QSqlQuery query(m_database->Connection().database());
    query.setForwardOnly(true);
    if (!query.prepare(SelectSql()))
        throw CDaoException::fromSqlError(query.lastError());
    for (auto it = m_parameters.cbegin(); it != m_parameters.cend(); ++it)
        query.bindValue(QLatin1Char(':') + it.key(), it.value());
    if (!query.exec())
        throw CDaoException::fromSqlError(query.lastError());
    ReadRows(query);
    PlaceAtFirst();
}

void CDaoRecordset::ReadRows(QSqlQuery& query)
{
    const QSqlRecord record = query.record();
    std::vector<int> source;
    for (const DaoColumn& column : m_def->columns) {
        source.push_back(record.indexOf(column.name));
        if (source.back() < 0)
            throw CDaoException(QStringLiteral("The query has no column '%1'.").arg(column.name));
    }
    while (query.next()) {
        Row row;
        row.values.reserve(qsizetype(source.size()));
        for (int at : source)
            row.values.append(query.value(at));
        m_rows.push_back(std::move(row));
    }
    m_liveCount = long(m_rows.size());
}

void CDaoRecordset::PlaceAtFirst()
{
    m_bof = m_eof = m_liveCount == 0;
    m_position = -1;
    if (m_liveCount > 0)
        MoveFirst();
}

// ---- navigation ----------------------------------------------------------------------------

void CDaoRecordset::MoveFirst()
{
    m_position = -1;
    m_bof = m_eof = false;
    MoveNext();
    m_bof = m_eof;
}

void CDaoRecordset::MoveLast()
{
    m_position = int(m_rows.size());
    m_bof = m_eof = false;
    MovePrev();
    m_eof = m_bof;
}

void CDaoRecordset::MoveNext()
{
    if (m_eof)
        noCurrentRecord();
    CancelUpdate();
    do {
        ++m_position;
    } while (m_position < int(m_rows.size()) && m_rows[size_t(m_position)].deleted);
    m_eof = m_position >= int(m_rows.size());
    m_bof = false;
}

void CDaoRecordset::MovePrev()
{
    if (m_bof)
        noCurrentRecord();
    CancelUpdate();
    do {
        --m_position;
    } while (m_position >= 0 && m_rows[size_t(m_position)].deleted);
    m_bof = m_position < 0;
    m_eof = false;
}

bool CDaoRecordset::FindFirst(const RowPredicate& accepts)
{
    const int start = m_position;
    const bool bof = m_bof, eof = m_eof;
    m_position = -1;
    m_bof = m_eof = false;
    if (FindNext(accepts))
        return true;
    m_position = start;
    m_bof = bof;
    m_eof = eof;
    return false;
}

bool CDaoRecordset::FindNext(const RowPredicate& accepts)
{
    const int start = m_position;
    const bool bof = m_bof, eof = m_eof;
    for (int at = m_position + 1; at < int(m_rows.size()); ++at) {
        if (m_rows[size_t(at)].deleted)
            continue;
        m_position = at;
        m_bof = m_eof = false;
        if (accepts(*this))
            return true;
    }
    m_position = start;
    m_bof = bof;
    m_eof = eof;
    return false;
}

// ---- fields --------------------------------------------------------------------------------

// Lower-case names and the declared ones: a field named as declared is found without a copy.
const QHash<QString, int>& CDaoRecordset::ColumnIndex() const
{
    if (m_columnIndex.isEmpty()) {
        for (size_t i = 0; i < m_def->columns.size(); ++i) {
            m_columnIndex.insert(m_def->columns[i].name.toLower(), int(i));
            m_columnIndex.insert(m_def->columns[i].name, int(i));
        }
    }
    return m_columnIndex;
}

const std::vector<int>& CDaoRecordset::WriteOrder() const
{
    if (m_writeOrder.size() != m_def->columns.size())
        m_writeOrder = CRecordsetWriter::WriteOrderOf(*m_def);
    return m_writeOrder;
}

int CDaoRecordset::FieldIndex(const QString& name) const
{
    const QHash<QString, int>& index = ColumnIndex();
    auto found = index.constFind(name);
    if (found == index.cend())
        found = index.constFind(name.toLower());
    if (found == index.cend())
        throw CDaoException(QStringLiteral("Item not found in this collection: '%1'.").arg(name));
    return *found;
}

void CDaoRecordset::RequireCurrentRow() const
{
    if (!m_open || m_bof || m_eof || m_position < 0 || m_position >= int(m_rows.size()))
        noCurrentRecord();
    if (m_rows[size_t(m_position)].deleted)
        throw CDaoException(QStringLiteral("Record is deleted."));
}

const QVariantList& CDaoRecordset::CurrentValues() const
{
    RequireCurrentRow();
    return m_rows[size_t(m_position)].values;
}

const QVariantList& CDaoRecordset::VisibleValues() const
{
    return m_editMode == dbEditNone ? CurrentValues() : m_buffer;
}

QVariant CDaoRecordset::GetFieldValue(const QString& name) const
{
    const int at = FieldIndex(name);
    return VisibleValues().at(at);
}

void CDaoRecordset::SetFieldValue(const QString& name, const QVariant& value)
{
    const int at = FieldIndex(name);
    RequireEditing();
    m_buffer[at] = value;
    m_changed[size_t(at)] =
        m_editMode == dbEditAdd || !sameValue(value, m_rows[size_t(m_position)].values.at(at));
}

bool CDaoRecordset::IsFieldNull(const QString& name) const
{
    return GetFieldValue(name).isNull();
}

void CDaoRecordset::SetFieldNull(const QString& name, bool null)
{
    if (null)
        SetFieldValue(name, QVariant());
}

long CDaoRecordset::GetLong(const QString& name) const
{
    return long(GetFieldValue(name).toLongLong());
}
short CDaoRecordset::GetShort(const QString& name) const
{
    return short(GetFieldValue(name).toInt());
}
double CDaoRecordset::GetDouble(const QString& name) const
{
    return GetFieldValue(name).toDouble();
}
bool CDaoRecordset::GetBool(const QString& name) const
{
    return GetFieldValue(name).toDouble() != 0.0;
}
QString CDaoRecordset::GetText(const QString& name) const
{
    return GetFieldValue(name).toString();
}

double CDaoRecordset::GetDate(const QString& name) const
{
    const QVariant value = GetFieldValue(name);
    if (value.typeId() == QMetaType::QString) {
        const QDateTime stamp = QDateTime::fromString(value.toString(), Qt::ISODate);
        if (stamp.isValid())
            return OleDateFromDateTime(stamp);
    }
    return value.toDouble();
}

void CDaoRecordset::SetLong(const QString& name, long value)
{
    SetFieldValue(name, qlonglong(value));
}
void CDaoRecordset::SetShort(const QString& name, short value)
{
    SetFieldValue(name, int(value));
}
void CDaoRecordset::SetDouble(const QString& name, double value)
{
    SetFieldValue(name, value);
}
void CDaoRecordset::SetBool(const QString& name, bool value)
{
    SetFieldValue(name, value ? 1 : 0);
}
void CDaoRecordset::SetText(const QString& name, const QString& value)
{
    SetFieldValue(name, value);
}
void CDaoRecordset::SetDate(const QString& name, double oleDate)
{
    SetFieldValue(name, oleDate);
}

// ---- writing -------------------------------------------------------------------------------

bool CDaoRecordset::CanUpdate() const
{
    return m_open && !m_def->tables.empty() && m_database && m_database->CanUpdate();
}

void CDaoRecordset::RequireEditing() const
{
    if (m_editMode == dbEditNone)
        throw CDaoException(QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
}

void CDaoRecordset::AddNew()
{
    if (!CanUpdate())
        throw CDaoException(QStringLiteral("The recordset cannot be updated."));
    m_buffer = QVariantList(qsizetype(m_def->columns.size()));
    m_changed.assign(m_def->columns.size(), false);
    m_editMode = dbEditAdd;
}

void CDaoRecordset::Edit()
{
    if (!CanUpdate())
        throw CDaoException(QStringLiteral("The recordset cannot be updated."));
    m_buffer = CurrentValues();
    m_changed.assign(m_def->columns.size(), false);
    m_editMode = dbEditInProgress;
}

long CDaoRecordset::Update()
{
    RequireEditing();
    CRecordsetWriter writer(*m_def, ColumnIndex(), WriteOrder(), m_insertPlans, *m_database);
    long id = 0;
    if (m_editMode == dbEditAdd) {
        id = writer.insert(m_buffer, m_changed);
        m_rows.push_back({m_buffer, false});
        ++m_liveCount;
        m_lastModified = int(m_rows.size()) - 1;
    } else if (std::find(m_changed.begin(), m_changed.end(), true) != m_changed.end()) {
        writer.update(m_rows[size_t(m_position)].values, m_buffer, m_changed);
        m_rows[size_t(m_position)].values = m_buffer;
        m_lastModified = m_position;
    }
    CancelUpdate();
    return id;
}

void CDaoRecordset::CancelUpdate()
{
    m_editMode = dbEditNone;
    m_buffer.clear();
    m_changed.clear();
}

void CDaoRecordset::Delete()
{
    if (!CanUpdate())
        throw CDaoException(QStringLiteral("The recordset cannot be updated."));
    CancelUpdate();
    const QVariantList& values = CurrentValues();
    CRecordsetWriter(*m_def, ColumnIndex(), WriteOrder(), m_insertPlans, *m_database).remove(values);
    m_rows[size_t(m_position)].deleted = true;
    --m_liveCount;
}

void CDaoRecordset::MoveToLastModified()
{
    if (m_lastModified < 0 || m_rows[size_t(m_lastModified)].deleted)
        noCurrentRecord();
    CancelUpdate();
    m_position = m_lastModified;
    m_bof = m_eof = false;
}

// ---- open helpers --------------------------------------------------------------------------

bool CDaoRecordset::Report(const QString& text) const
{
    if (!text.isEmpty())
        QvMessageBox(text);
    return false;
}

template <typename Action> bool CDaoRecordset::Guarded(Action action)
{
    try {
        action();
        return true;
    } catch (const CDaoException& error) {
        if (m_errorMode == DaoErrorMode::Propagate)
            throw;
        return m_errorMode == DaoErrorMode::Show ? Report(error.GetErrorDescription()) : false;
    }
}

bool CDaoRecordset::OpenOnDatabase(CDaoDatabase* database, const QString& notOpenMessage)
{
    if (!database || !database->IsOpen())
        return Report(notOpenMessage);
    return Guarded([&] {
        if (m_open && m_database == database)
            Requery();
        else
            Open(database);
    });
}

bool CDaoRecordset::OpenOnProjectDatabase(const QString& notOpenMessage)
{
    if (!GetAppContext())
        return false;
    return OpenOnDatabase(GetProjectDatabase(), notOpenMessage);
}

bool CDaoRecordset::OpenOnStepDatabase(long stepID, const QString& notOpenMessage)
{
    return OpenOnDatabase(GetStepDatabase(stepID), notOpenMessage);
}

bool CDaoRecordset::OpenOnFile(const QString& path, const QString& notOpenMessage, DatabaseRole role)
{
    if (path.isEmpty())
        return OpenOnProjectDatabase(notOpenMessage);
    const bool samePath = m_ownDatabase && m_ownDatabase->IsOpen() &&
                          CSharedConnection::registryKey(path) == m_ownDatabase->GetName();
    if (samePath)
        return OpenOnDatabase(m_ownDatabase.get(), notOpenMessage);
    CloseSet();
    auto own = std::make_unique<CDaoDatabase>();
    if (!Guarded([&] { own->Open(BuildConnectString(path), role); }))
        return false;
    m_ownDatabase = std::move(own);
    return OpenOnDatabase(m_ownDatabase.get(), notOpenMessage);
}

void CDaoRecordset::CloseSet()
{
    Close();
    if (m_ownDatabase) {
        if (m_database == m_ownDatabase.get())
            m_database = nullptr;
        m_ownDatabase.reset();
    }
}

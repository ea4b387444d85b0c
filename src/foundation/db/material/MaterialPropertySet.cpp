#include "foundation/db/material/MaterialPropertySet.h"

#include "foundation/common/MessageBox.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/material/MaterialFields.h"

#include <array>

namespace {

DaoRecordsetDef MaterialPropertyDefinition(MaterialDataSource source)
{
    const QString table = MaterialPropertyTableOf(source);
    if (table.isEmpty())
        return {QString(), {}, {}};
    const DaoFieldType L = DaoFieldType::Long;
    return {
        QStringLiteral("SELECT MaterialID, MaterialPropertyID, DoubleValue, ValueUOM, TextValue, IntegerValue"
                       " FROM %1 WHERE MaterialID = :pMaterialID AND MaterialPropertyID = :pPropertyID")
            .arg(table),
        {{table, {QStringLiteral("MaterialID"), QStringLiteral("MaterialPropertyID")}}},
        {{"MaterialID", L},
         {"MaterialPropertyID", L},
         {"DoubleValue", DaoFieldType::Double},
         {"ValueUOM", DaoFieldType::Text},
         {"TextValue", DaoFieldType::Text},
         {"IntegerValue", L}}};
}

const StatementKey& KeptPropertyRead()
{
    static const StatementKey key{StatementKind::Select,
                                  QStringLiteral("ActualMaterialProperty"),
                                  {QStringLiteral("DoubleValue"), QStringLiteral("IntegerValue")},
                                  {QStringLiteral("MaterialID"), QStringLiteral("MaterialPropertyID")},
                                  {}};
    return key;
}

QString KeptPropertyReadSql()
{
    return QStringLiteral("SELECT DoubleValue, IntegerValue FROM ActualMaterialProperty"
                          " WHERE MaterialID = ? AND MaterialPropertyID = ?");
}

QVariant PropertySeekValue(long id, bool seek)
{
    return seek ? QVariant(qlonglong(id)) : QVariant();
}

} // namespace

CMaterialPropertySet* CMaterialPropertySet::s_instance = nullptr;

CMaterialPropertySet::CMaterialPropertySet() : CMaterialRecordset(Definition()) {}

CMaterialPropertySet::~CMaterialPropertySet()
{
    if (s_instance == this)
        s_instance = nullptr;
}

CMaterialPropertySet* CMaterialPropertySet::Instance()
{
    if (!s_instance)
        s_instance = new CMaterialPropertySet;
    return s_instance;
}

void CMaterialPropertySet::Destroy()
{
    delete s_instance;
    s_instance = nullptr;
}

const DaoRecordsetDef& CMaterialPropertySet::Definition(MaterialDataSource source)
{
    static const std::array<DaoRecordsetDef, 5> definitions = {
        MaterialPropertyDefinition(MaterialDataSource::Project),
        MaterialPropertyDefinition(MaterialDataSource::PureComponents),
        MaterialPropertyDefinition(MaterialDataSource::Inorganics),
        MaterialPropertyDefinition(MaterialDataSource::Solids),
        MaterialPropertyDefinition(MaterialDataSource::Unknown)};
    return definitions[size_t(source)];
}

bool CMaterialPropertySet::OpenSet(long materialID, long propertyID, const QString& dbPath,
                                   const QString& dataSource)
{
    const QString path = BeginOpen(dbPath, dataSource);
    const bool seek = materialID != -1 && propertyID != -1;
    // Without a seek both keys are Null, which no row matches.
    SetParameter(QStringLiteral("pMaterialID"), PropertySeekValue(materialID, seek));
    SetParameter(QStringLiteral("pPropertyID"), PropertySeekValue(propertyID, seek));
    if (!OpenOnMaterialFile(path, Definition(MaterialDataSourceOf(dataSource))))
        return false;
    return !seek || GetRecordCount() > 0;
}

bool CMaterialPropertySet::CanReadKept(long materialID, long propertyID)
{
    const QString path = BeginOpen(QString(), QString());
    return materialID != -1 && propertyID != -1 && CloseAllowed() && ConnectionOn(path);
}

QVariant CMaterialPropertySet::ReadKept(long materialID, long propertyID, int column)
{
    SelectDefinition(Definition());
    QVariant value;
    try {
        GetDatabase()->Connection().execKept(KeptPropertyRead(), KeptPropertyReadSql,
                                             {qlonglong(materialID), qlonglong(propertyID)},
                                             [&value, column](KeptResult& row) {
                                                 if (row.next())
                                                     value = row.value(column);
                                             });
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
    }
    CloseSet();
    return value;
}

double CMaterialPropertySet::ReadDoubleValue(long materialID, long propertyID)
{
    if (CanReadKept(materialID, propertyID))
        return MaterialDoubleOf(ReadKept(materialID, propertyID, 0));
    if (!OpenSet(materialID, propertyID))
        return MATERIAL_UNSET_DOUBLE;
    const double value = getDoubleValue();
    CloseSet();
    return value;
}

long CMaterialPropertySet::ReadIntegerValue(long materialID, long propertyID)
{
    if (CanReadKept(materialID, propertyID))
        return MaterialLongOf(ReadKept(materialID, propertyID, 1));
    if (!OpenSet(materialID, propertyID))
        return MATERIAL_UNSET_LONG;
    const long value = getIntegerValue();
    CloseSet();
    return value;
}

bool CMaterialPropertySet::DeleteMaterialProperties(long materialID)
{
    CDaoDatabase* database = ConnectionOn(GetOpenedPath());
    if (!database)
        return false;
    try {
        database->Execute(QStringLiteral("DELETE FROM ActualMaterialProperty WHERE MaterialID = ?"),
                          {qlonglong(materialID)});
        return true;
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
}

long CMaterialPropertySet::getMaterialID() const
{
    return ReadMaterialLong(*this, QStringLiteral("MaterialID"));
}
void CMaterialPropertySet::setMaterialID(long value)
{
    WriteMaterialLong(*this, QStringLiteral("MaterialID"), value);
}
long CMaterialPropertySet::getMaterialPropertyID() const
{
    return ReadMaterialLong(*this, QStringLiteral("MaterialPropertyID"));
}
void CMaterialPropertySet::setMaterialPropertyID(long value)
{
    WriteMaterialLong(*this, QStringLiteral("MaterialPropertyID"), value);
}
double CMaterialPropertySet::getDoubleValue() const
{
    return ReadMaterialDouble(*this, QStringLiteral("DoubleValue"));
}
void CMaterialPropertySet::setDoubleValue(double value)
{
    WriteMaterialDouble(*this, QStringLiteral("DoubleValue"), value);
}
QString CMaterialPropertySet::getValueUOM() const
{
    return ReadMaterialText(*this, QStringLiteral("ValueUOM"));
}
void CMaterialPropertySet::setValueUOM(const QString& value)
{
    WriteMaterialText(*this, QStringLiteral("ValueUOM"), value);
}
QString CMaterialPropertySet::getTextValue() const
{
    return ReadMaterialText(*this, QStringLiteral("TextValue"));
}
void CMaterialPropertySet::setTextValue(const QString& value)
{
    WriteMaterialText(*this, QStringLiteral("TextValue"), value);
}
long CMaterialPropertySet::getIntegerValue() const
{
    return ReadMaterialLong(*this, QStringLiteral("IntegerValue"));
}
void CMaterialPropertySet::setIntegerValue(long value)
{
    WriteMaterialLong(*this, QStringLiteral("IntegerValue"), value);
}

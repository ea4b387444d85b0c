#include "foundation/db/material/MaterialCommonSet.h"

#include "foundation/db/material/MaterialFields.h"

#include "foundation/db/connection/DaoException.h"

#include <array>

namespace {

const char* const MATERIAL_COMMON_COLUMNS =
    "v.Alias, v.AvailablePressure, v.AvailablePressureUOM, v.AvailableTemperature, v.AvailableTemperatureUOM,"
    " v.CASCode, v.Class, v.Comments, v.CompanyCode, v.Cost, v.CostUOM, v.DataSource, v.Description,"
    " v.MaterialID, v.MaterialName, v.MaterialTypeID, v.MSDSCode, v.PurchasingCode, v.SafetyNote, v.SAPCode,"
    " v.WhoEntered, v.RuntimeParamLookup";

// -1 spans every id; any other id spans itself, so the key stays an index range either way.
QString MaterialCommonSql(MaterialDataSource source)
{
    const QString view = MaterialCommonSourceOf(source);
    if (view.isEmpty())
        return QString();
    return QStringLiteral("WITH arg(id) AS (SELECT :pMaterialID), span(lo, hi) AS (SELECT"
                          " CASE WHEN id = -1 THEN -9223372036854775807 ELSE id END,"
                          " CASE WHEN id = -1 THEN 9223372036854775807 ELSE id END FROM arg)"
                          " SELECT %1 FROM span, %2 v WHERE v.MaterialID BETWEEN span.lo AND span.hi"
                          " ORDER BY v.MaterialID")
        .arg(QLatin1String(MATERIAL_COMMON_COLUMNS), view);
}

std::vector<DaoColumn> MaterialCommonColumns()
{
    const DaoFieldType T = DaoFieldType::Text, D = DaoFieldType::Double, L = DaoFieldType::Long;
    return {{"Alias", T},
            {"AvailablePressure", D},
            {"AvailablePressureUOM", T},
            {"AvailableTemperature", D},
            {"AvailableTemperatureUOM", T},
            {"CASCode", T},
            {"Class", T},
            {"Comments", T},
            {"CompanyCode", T},
            {"Cost", D},
            {"CostUOM", T},
            {"DataSource", T},
            {"Description", T},
            {"MaterialID", L},
            {"MaterialName", T},
            {"MaterialTypeID", L},
            {"MSDSCode", T},
            {"PurchasingCode", T},
            {"SafetyNote", T},
            {"SAPCode", T},
            {"WhoEntered", T},
            {"RuntimeParamLookup", T}};
}

// The project's rows are written to their table; the databanks are only read.
DaoRecordsetDef MaterialCommonDefinition(MaterialDataSource source)
{
    std::vector<DaoBaseTable> tables;
    if (source == MaterialDataSource::Project)
        tables.push_back({QStringLiteral("ActualMaterialCommon"), {QStringLiteral("MaterialID")}});
    return {MaterialCommonSql(source), std::move(tables), MaterialCommonColumns()};
}

// -1 reads the first material in id order, as OpenSet(-1) positions on it.
const StatementKey& KeptMaterialNameRead(bool first)
{
    static const StatementKey one{StatementKind::Select,
                                  QStringLiteral("ActualMaterialCommon"),
                                  {QStringLiteral("MaterialName")},
                                  {QStringLiteral("MaterialID")},
                                  {}};
    static const StatementKey lowest{
        StatementKind::Select, QStringLiteral("ActualMaterialCommon"), {QStringLiteral("MaterialName")}, {}, {}};
    return first ? lowest : one;
}

QString KeptMaterialNameSql()
{
    return QStringLiteral("SELECT MaterialName FROM QryMaterialCommonSet WHERE MaterialID = ?");
}

QString KeptFirstMaterialNameSql()
{
    return QStringLiteral("SELECT MaterialName FROM QryMaterialCommonSet ORDER BY MaterialID LIMIT 1");
}

} // namespace

CMaterialCommonSet* CMaterialCommonSet::s_instance = nullptr;

CMaterialCommonSet::CMaterialCommonSet() : CMaterialRecordset(Definition()) {}

CMaterialCommonSet::~CMaterialCommonSet()
{
    if (s_instance == this)
        s_instance = nullptr;
}

CMaterialCommonSet* CMaterialCommonSet::Instance()
{
    if (!s_instance)
        s_instance = new CMaterialCommonSet;
    return s_instance;
}

void CMaterialCommonSet::Destroy()
{
    delete s_instance;
    s_instance = nullptr;
}

const DaoRecordsetDef& CMaterialCommonSet::Definition(MaterialDataSource source)
{
    static const std::array<DaoRecordsetDef, 5> definitions = {
        MaterialCommonDefinition(MaterialDataSource::Project),
        MaterialCommonDefinition(MaterialDataSource::PureComponents),
        MaterialCommonDefinition(MaterialDataSource::Inorganics),
        MaterialCommonDefinition(MaterialDataSource::Solids),
        MaterialCommonDefinition(MaterialDataSource::Unknown)};
    return definitions[size_t(source)];
}

bool CMaterialCommonSet::OpenSet(long materialID, const QString& dbPath, const QString& dataSource)
{
    const QString path = BeginOpen(dbPath, dataSource);
    SetParameter(QStringLiteral("pMaterialID"), qlonglong(materialID));
    return OpenOnMaterialFile(path, Definition(MaterialDataSourceOf(dataSource)));
}

bool CMaterialCommonSet::ReadMaterialName(long materialID, QString* name, bool* found)
{
    const std::optional<QVariant> kept = ReadKeptName(materialID);
    if (kept) {
        *found = kept->isValid();
        if (*found && name)
            *name = kept->toString();
        return true;
    }
    if (!OpenSet(materialID))
        return false;
    *found = !IsEOF();
    if (*found && name)
        *name = getMaterialName();
    CloseSet();
    return true;
}

// Invalid when the row is not there; nothing when the kept connection is not open on the
// project's material database.
std::optional<QVariant> CMaterialCommonSet::ReadKeptName(long materialID)
{
    const QString path = BeginOpen(QString(), QString());
    if (!CloseAllowed() || !ConnectionOn(path))
        return std::nullopt;
    SelectDefinition(Definition());
    QVariant value;
    try {
        const bool first = materialID == -1;
        const QVariantList key = first ? QVariantList() : QVariantList{qlonglong(materialID)};
        GetDatabase()->Connection().execKept(KeptMaterialNameRead(first),
                                             first ? KeptFirstMaterialNameSql : KeptMaterialNameSql, key,
                                             [&value](KeptResult& row) {
                                                 if (row.next())
                                                     value = QVariant(row.value(0).toString());
                                             });
    } catch (const CDaoException&) {
        CloseSet();
        return std::nullopt;
    }
    CloseSet();
    return value;
}

QString CMaterialCommonSet::getAlias() const
{
    return ReadMaterialText(*this, QStringLiteral("Alias"));
}
void CMaterialCommonSet::setAlias(const QString& value)
{
    WriteMaterialText(*this, QStringLiteral("Alias"), value);
}

double CMaterialCommonSet::getAvailablePressure() const
{
    return ReadMaterialDouble(*this, QStringLiteral("AvailablePressure"));
}
void CMaterialCommonSet::setAvailablePressure(double value)
{
    WriteMaterialDouble(*this, QStringLiteral("AvailablePressure"), value);
}

QString CMaterialCommonSet::getAvailablePressureUOM() const
{
    return ReadMaterialText(*this, QStringLiteral("AvailablePressureUOM"));
}
void CMaterialCommonSet::setAvailablePressureUOM(const QString& value)
{
    WriteMaterialText(*this, QStringLiteral("AvailablePressureUOM"), value);
}

double CMaterialCommonSet::getAvailableTemperature() const
{
    return ReadMaterialDouble(*this, QStringLiteral("AvailableTemperature"));
}
void CMaterialCommonSet::setAvailableTemperature(double value)
{
    WriteMaterialDouble(*this, QStringLiteral("AvailableTemperature"), value);
}

QString CMaterialCommonSet::getAvailableTemperatureUOM() const
{
    return ReadMaterialText(*this, QStringLiteral("AvailableTemperatureUOM"));
}
void CMaterialCommonSet::setAvailableTemperatureUOM(const QString& value)
{
    WriteMaterialText(*this, QStringLiteral("AvailableTemperatureUOM"), value);
}

QString CMaterialCommonSet::getCASCode() const
{
    return ReadMaterialText(*this, QStringLiteral("CASCode"));
}
void CMaterialCommonSet::setCASCode(const QString& value)
{
    WriteMaterialText(*this, QStringLiteral("CASCode"), value);
}

QString CMaterialCommonSet::getClass() const
{
    return ReadMaterialText(*this, QStringLiteral("Class"));
}
void CMaterialCommonSet::setClass(const QString& value)
{
    WriteMaterialText(*this, QStringLiteral("Class"), value);
}

QString CMaterialCommonSet::getComments() const
{
    return ReadMaterialText(*this, QStringLiteral("Comments"));
}
void CMaterialCommonSet::setComments(const QString& value)
{
    WriteMaterialText(*this, QStringLiteral("Comments"), value);
}

QString CMaterialCommonSet::getCompanyCode() const
{
    return ReadMaterialText(*this, QStringLiteral("CompanyCode"));
}
void CMaterialCommonSet::setCompanyCode(const QString& value)
{
    WriteMaterialText(*this, QStringLiteral("CompanyCode"), value);
}

double CMaterialCommonSet::getCost() const
{
    return ReadMaterialDouble(*this, QStringLiteral("Cost"));
}
void CMaterialCommonSet::setCost(double value)
{
    WriteMaterialDouble(*this, QStringLiteral("Cost"), value);
}

QString CMaterialCommonSet::getCostUOM() const
{
    return ReadMaterialText(*this, QStringLiteral("CostUOM"));
}
void CMaterialCommonSet::setCostUOM(const QString& value)
{
    WriteMaterialText(*this, QStringLiteral("CostUOM"), value);
}

QString CMaterialCommonSet::getDataSource() const
{
    return ReadMaterialText(*this, QStringLiteral("DataSource"));
}
void CMaterialCommonSet::setDataSource(const QString& value)
{
    WriteMaterialText(*this, QStringLiteral("DataSource"), value);
}

QString CMaterialCommonSet::getDescription() const
{
    return ReadMaterialText(*this, QStringLiteral("Description"));
}
void CMaterialCommonSet::setDescription(const QString& value)
{
    WriteMaterialText(*this, QStringLiteral("Description"), value);
}

long CMaterialCommonSet::getMaterialID() const
{
    return ReadMaterialLong(*this, QStringLiteral("MaterialID"));
}
void CMaterialCommonSet::setMaterialID(long value)
{
    WriteMaterialLong(*this, QStringLiteral("MaterialID"), value);
}

QString CMaterialCommonSet::getMaterialName() const
{
    return ReadMaterialText(*this, QStringLiteral("MaterialName"));
}
void CMaterialCommonSet::setMaterialName(const QString& value)
{
    WriteMaterialText(*this, QStringLiteral("MaterialName"), value);
}

long CMaterialCommonSet::getMaterialTypeID() const
{
    return ReadMaterialLong(*this, QStringLiteral("MaterialTypeID"));
}
void CMaterialCommonSet::setMaterialTypeID(long value)
{
    WriteMaterialLong(*this, QStringLiteral("MaterialTypeID"), value);
}

QString CMaterialCommonSet::getMSDSCode() const
{
    return ReadMaterialText(*this, QStringLiteral("MSDSCode"));
}
void CMaterialCommonSet::setMSDSCode(const QString& value)
{
    WriteMaterialText(*this, QStringLiteral("MSDSCode"), value);
}

QString CMaterialCommonSet::getPurchasingCode() const
{
    return ReadMaterialText(*this, QStringLiteral("PurchasingCode"));
}
void CMaterialCommonSet::setPurchasingCode(const QString& value)
{
    WriteMaterialText(*this, QStringLiteral("PurchasingCode"), value);
}

QString CMaterialCommonSet::getSafetyNote() const
{
    return ReadMaterialText(*this, QStringLiteral("SafetyNote"));
}
void CMaterialCommonSet::setSafetyNote(const QString& value)
{
    WriteMaterialText(*this, QStringLiteral("SafetyNote"), value);
}

QString CMaterialCommonSet::getSAPCode() const
{
    return ReadMaterialText(*this, QStringLiteral("SAPCode"));
}
void CMaterialCommonSet::setSAPCode(const QString& value)
{
    WriteMaterialText(*this, QStringLiteral("SAPCode"), value);
}

QString CMaterialCommonSet::getWhoEntered() const
{
    return ReadMaterialText(*this, QStringLiteral("WhoEntered"));
}
void CMaterialCommonSet::setWhoEntered(const QString& value)
{
    WriteMaterialText(*this, QStringLiteral("WhoEntered"), value);
}

QString CMaterialCommonSet::getLookupParams() const
{
    return ReadMaterialText(*this, QStringLiteral("RuntimeParamLookup"));
}
void CMaterialCommonSet::setRuntimeParamLookup(const QString& value)
{
    WriteMaterialText(*this, QStringLiteral("RuntimeParamLookup"), value);
}

#include "modules/engine/EngineMaterials.h"

#include "foundation/common/UnitConversion.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/MaterialPropertyIDs.h"

#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <algorithm>
#include <cmath>

namespace {

bool IsPositiveFigure(double value)
{
    return std::isfinite(value) && value > 0 && value < 1e34;
}

} // namespace

double ConversionFraction(double stored)
{
    if (!std::isfinite(stored) || stored >= 1e34)
        return 1.0;
    return std::clamp(stored > 1.0 ? stored / 100.0 : stored, 0.0, 1.0);
}

void CEngineMaterials::Read(CDaoDatabase* materials, const QSet<long>& reactionSets)
{
    if (!materials)
        return;
    ReadProperties(*materials);
    ReadNames(*materials);
    if (!reactionSets.isEmpty())
        ReadReactions(*materials, reactionSets);
}

void CEngineMaterials::ReadProperties(CDaoDatabase& materials)
{
    QSqlQuery rows = materials.Query(
        QStringLiteral("SELECT MaterialID, MaterialPropertyID, DoubleValue, ValueUOM "
                       "FROM ActualMaterialProperty WHERE MaterialPropertyID IN (?, ?) "
                       "AND DoubleValue IS NOT NULL"),
        {qlonglong(MATERIAL_PROPERTY_MOLECULAR_WEIGHT), qlonglong(MATERIAL_PROPERTY_DENSITY)});
    while (rows.next()) {
        const long material = long(rows.value(0).toLongLong());
        const double value = rows.value(2).toDouble();
        if (rows.value(1).toLongLong() == MATERIAL_PROPERTY_MOLECULAR_WEIGHT) {
            m_molecularWeights.insert(material, value);
            continue;
        }
        // Mass per volume units convert to kg/m3; a unit the table does not know is taken as kg/m3.
        const QString uom = rows.value(3).toString();
        m_densities.insert(material, uom.isEmpty() ? value : UserToInternal(uom, value, 1.0, 1.0));
    }
}

void CEngineMaterials::ReadNames(CDaoDatabase& materials)
{
    QSqlQuery rows = materials.Query(QStringLiteral("SELECT MaterialID, MaterialName FROM ActualMaterialCommon"));
    while (rows.next())
        m_names.insert(long(rows.value(0).toLongLong()), rows.value(1).toString());
}

void CEngineMaterials::ReadReactions(CDaoDatabase& materials, const QSet<long>& reactionSets)
{
    QStringList ids;
    for (long set : reactionSets)
        ids << QString::number(set);
    const QString inList = ids.join(u',');
    QSqlQuery reactions = materials.Query(
        QStringLiteral(
            "SELECT ReactionID, ReactionDataSetID, KeyComponentID, Conversion FROM ReactionTable "
            "WHERE ReactionDataSetID IN (%1) ORDER BY ReactionDataSetID, SequenceNumber, ReactionID")
            .arg(inList));
    QHash<long, QPair<long, qsizetype>> byReaction; // reaction -> set, index
    while (reactions.next()) {
        EngineReaction reaction;
        reaction.keyComponentID = long(reactions.value(2).toLongLong());
        reaction.conversion =
            ConversionFraction(reactions.value(3).isNull() ? 1e35 : reactions.value(3).toDouble());
        const long set = long(reactions.value(1).toLongLong());
        QList<EngineReaction>& list = m_reactions[set];
        byReaction.insert(long(reactions.value(0).toLongLong()), {set, list.size()});
        list.append(reaction);
    }
    QSqlQuery coefficients = materials.Query(
        QStringLiteral(
            "SELECT c.ReactionID, c.ComponentID, c.Coefficient FROM ReactionCoefficientTable c "
            "JOIN ReactionTable r ON r.ReactionID = c.ReactionID WHERE r.ReactionDataSetID IN (%1) "
            "ORDER BY c.ReactionID, c.ComponentID")
            .arg(inList));
    while (coefficients.next()) {
        const auto found = byReaction.constFind(long(coefficients.value(0).toLongLong()));
        if (found != byReaction.cend())
            m_reactions[found->first][found->second].coefficients.append(
                {long(coefficients.value(1).toLongLong()), coefficients.value(2).toDouble()});
    }
}

double CEngineMaterials::MolecularWeight(long materialID) const
{
    const double mw = m_molecularWeights.value(materialID, 0);
    return IsPositiveFigure(mw) ? mw : DEFAULT_MOLECULAR_WEIGHT;
}

double CEngineMaterials::Density(long materialID) const
{
    const double density = m_densities.value(materialID, 0);
    return IsPositiveFigure(density) ? density : DEFAULT_DENSITY;
}

bool CEngineMaterials::HasDensity(long materialID) const
{
    return IsPositiveFigure(m_densities.value(materialID, 0));
}

QString CEngineMaterials::Name(long materialID) const
{
    const QString name = m_names.value(materialID);
    return name.isEmpty() ? QStringLiteral("Material %1").arg(materialID) : name;
}

#pragma once
// The figures of the project's materials the material balance uses: names, molecular weights,
// densities and the reactions of reaction data sets. A material without a figure gets the default
// one.

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

class CDaoDatabase;

struct EngineReaction {
    long keyComponentID = 0;
    double conversion = 1.0;                 // fraction of the key component converted
    QList<QPair<long, double>> coefficients; // material, molar coefficient (negative: consumed)
};

class CEngineMaterials {
public:
    // Reads the molecular weights and densities of every material and the reactions of the named
    // data sets; a missing database leaves every figure at its default. Raises CDaoException.
    void Read(CDaoDatabase* materials, const QSet<long>& reactionSets);

    double MolecularWeight(long materialID) const; // kg/kmol
    double Density(long materialID) const;         // kg/m3
    // False where Density answers the default because the material has no usable density.
    bool HasDensity(long materialID) const;
    // The material's name; "Material <id>" for one the library does not name.
    QString Name(long materialID) const;
    // The data set's reactions in sequence order; empty for an unknown set.
    QList<EngineReaction> Reactions(long reactionSetID) const { return m_reactions.value(reactionSetID); }

    void SetMolecularWeight(long materialID, double mw) { m_molecularWeights.insert(materialID, mw); }
    void SetDensity(long materialID, double density) { m_densities.insert(materialID, density); }
    void SetName(long materialID, const QString& name) { m_names.insert(materialID, name); }
    void AddReaction(long reactionSetID, const EngineReaction& reaction)
    {
        m_reactions[reactionSetID].append(reaction);
    }

private:
    void ReadProperties(CDaoDatabase& materials);
    void ReadReactions(CDaoDatabase& materials, const QSet<long>& reactionSets);
    void ReadNames(CDaoDatabase& materials);

    QHash<long, double> m_molecularWeights;
    QHash<long, double> m_densities;
    QHash<long, QString> m_names;
    QHash<long, QList<EngineReaction>> m_reactions;
};

// A stored conversion: a fraction, or a percentage when above 1; unset counts as complete.
double ConversionFraction(double stored);

#pragma once
// The ranked emission models of the operation types shown on the model page, read once per type
// and kept while the sheet is open. A type whose read failed or stopped early is never written.

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

class CDaoDatabase;

struct EmissionModelChoice {
    long id = -1;
    QString name;
};

struct OperationEmissionModels {
    bool failed = false;
    QList<long> kindIDs;
    QStringList kindLabels;
    QList<EmissionModelChoice> models; // allowed for the type, by id
    QList<QVector<long>> rankedIDs;    // per kind, RANKS slots, -1 = empty
    QList<QVector<long>> storedIDs;    // as read
    QString ModelName(long modelID) const;
    bool Allows(long modelID) const;
};

class CEmissionModelPreferences {
public:
    static constexpr int RANKS = 8;

    // The entry of the type, read at the first call (messages on failure).
    OperationEmissionModels& Entry(long operationTypeID);
    bool Contains(long operationTypeID) const { return m_entries.contains(operationTypeID); }
    // The ranks 1 to 8 of every changed kind of every entry read whole, renumbered without
    // gaps. Raises CDaoException. True when a kind was rewritten.
    bool Write(CDaoDatabase& project) const;

private:
    static bool ReadKinds(long operationTypeID, OperationEmissionModels& entry);
    static bool ReadModels(long operationTypeID, OperationEmissionModels& entry);
    static bool ReadRanks(long operationTypeID, OperationEmissionModels& entry);
    static bool WriteEntry(CDaoDatabase& project, long operationTypeID, const OperationEmissionModels& entry);

    QMap<long, OperationEmissionModels> m_entries;
};

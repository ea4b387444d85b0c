#pragma once
// The scheduling constraints of one kind of item in a step database, read in one pass ordered by
// the current item and row key, so the rows of an item form one run.

#include <QHash>
#include <QList>
#include <QString>

class CDaoDatabase;

struct ConstraintRow {
    long currentID = 0;
    bool currentNull = true;
    QString logic;
    long parameterID = 0;
    bool parameterNull = true;
    double delay = 0.0;
    bool delayNull = true;
    QString delayUOM;

    bool Is(const QString& conditionalLogic) const
    {
        return logic.compare(conditionalLogic, Qt::CaseInsensitive) == 0;
    }
};

class CStepConstraintTable {
public:
    enum class Kind { Operation, UnitProcedure };

    // False when the table cannot be read (no rows then).
    bool Read(CDaoDatabase& step, Kind kind);
    const QList<ConstraintRow>& rows() const { return m_rows; }
    // The distinct current ids that are not null, in row order.
    const QList<long>& currentIDs() const { return m_currentIDs; }
    // The item's rows (its first run).
    QList<ConstraintRow> runOf(long currentID) const;
    bool hasRowOf(long currentID, const QString& logic) const;

private:
    QList<ConstraintRow> m_rows;
    QList<long> m_currentIDs;
    QHash<long, std::pair<int, int>> m_runs; // current id -> (first row, row count)
};

#pragma once
// The recipe text the managed side's stand-in generates for one operation: its type and label,
// then every stored field with its label, value and unit; with the "Ranges" option on, its ranges
// follow on a line of their own (after a blank line with "AddSpace" on). Type names and options are
// kept per project until the step-wise cache is reset. Stored numbers print under the project's
// rounding bands when "RoundValues" is on. The fixed words ("not set", "Ranges", "to") come from the
// open language database; English where it has none.

#include "foundation/db/project/ResultRoundingRules.h"

#include <QHash>
#include <QString>

class CDaoDatabase;
class KeptResult;
class QVariant;

class CStandInRecipeText {
public:
    // False when the step has no open database or the operation no row.
    bool Compose(long stepID, long operationID, QString& text);
    void Reset();

private:
    void LoadProjectData();
    QString TypeName(long operationTypeID) const;
    QStringList FieldPhrases(CDaoDatabase& step, long operationID) const;
    QStringList RangePhrases(CDaoDatabase& step, long operationID) const;
    void LoadWords();
    QString Quantity(const QVariant& value, const QString& uom, const CResultRoundingRules& rounding) const;
    QString FieldValue(const KeptResult& row) const;
    QString RangePhrase(const KeptResult& row) const;

    bool m_loaded = false;
    QString m_projectPath; // the project the kept data is of
    QHash<long, QString> m_typeNames;
    bool m_ranges = false;
    bool m_addSpace = false;
    CResultRoundingRules m_rounding;
    QString m_notSet, m_rangesWord, m_toWord;
};

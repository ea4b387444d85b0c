#pragma once
// The equipment a step's recipe uses: the primary equipment of each unit procedure on the recipe's
// lines (a deleted unit procedure keeps its row but has no line), each item once, in recipe order,
// with its equipment-database row. An id without a row in the equipment database is left out.

#include <QHash>
#include <QList>
#include <QString>

struct StepEquipmentRow {
    long EquipmentID = -1;
    long EquipmentClassID = -1;
    QString QVTag;
    QString EquipmentType;
};

class CStepEquipmentSet {
public:
    // Reads the step's registered database and the project's equipment database; false (quietly)
    // when either is missing or does not read. Equipment rows already in *known are not read again;
    // rows read are added to it.
    bool OpenSet(long stepID, QHash<long, StepEquipmentRow>* known = nullptr);
    void CloseSet() { m_rows.clear(); }
    const QList<StepEquipmentRow>& Rows() const { return m_rows; }

private:
    static QList<long> RecipeEquipmentIDs(long stepID);
    static void ReadEquipmentRows(class CDaoDatabase& equipment, const QList<long>& ids,
                                  QHash<long, StepEquipmentRow>* byID);
    QList<StepEquipmentRow> m_rows;
};

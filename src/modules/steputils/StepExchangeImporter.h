#pragma once
// Adds the step of a checked exchange file (see CStepFileReader) to the open project: a new step id
// (1 above every id the project has used), its [ProjectStep] row named from the exchange row or
// the file's [Step] row, its [Step-To-Process] row after the process's last step, and the library
// items it names: a facility, equipment item (by tag in its facility), class or material of the
// same name in the project is taken, others are copied in under new ids; unit sets are matched by
// name, else -1; range and comment types are matched by name, else added (see StepTypeMapping.h),
// when the file carries them. The file is rewritten into the new step's database: every step id
// and every reference re-pointed, the exchange tables dropped. A file whose [Step] row has the new
// id already (the reader wrote it) keeps its step ids as they are: the reader made them agree. Each database is written in one transaction
// level inside the caller's; raises CDaoException and then leaves every database as it was.
// Given the exchange rows held in memory (see HeldExchangeRows), a step file without exchange
// tables is imported as if it carried them.

#include "foundation/db/recordsets/NewItemID.h"
#include "modules/steputils/ExchangeRows.h"

#include <QHash>
#include <QString>

class CDaoDatabase;

struct StepImportTargets {
    CDaoDatabase* project = nullptr;
    CDaoDatabase* equipment = nullptr;
    CDaoDatabase* materials = nullptr;
    long projectID = 1;
    NewIDSources idSources;
    long stepID = 0; // the new step's id when the caller has allocated it; else one is allocated
};

class CStepExchangeImporter {
public:
    CStepExchangeImporter(CDaoDatabase& file, const StepImportTargets& targets,
                          const HeldExchangeRows* held = nullptr);
    // The new step's id.
    long Import(long processID);

private:
    long AddProjectRows(long processID);
    void MapUnitSets();
    void MapTypes();
    void MapFacilities();
    void MapClasses();
    void MapEquipment();
    void MapMaterials();
    void CopyMixtures();
    long CopyFacility(const QVariantList& row, QStringList columns);
    long CopyEquipment(const QVariantList& row, QStringList columns);
    long CopyMaterial(const QVariantList& row, QStringList columns);
    void Map(int role, long oldID, long newID);
    QVariant Mapped(int role, const QVariant& oldID) const;
    void RewriteFile(long stepID);
    ExchangeRowList TableRows(const QString& table, const QStringList& columns, const QString& whereColumn = {},
                              const QVariant& equals = {}) const;
    ExchangeRowList ItemRows(const QString& table, QStringList& columns) const;

    CDaoDatabase& m_file;
    StepImportTargets m_targets;
    const HeldExchangeRows* m_held;
    QHash<QPair<int, long>, long> m_map;
    bool m_typesTravel = false;
};

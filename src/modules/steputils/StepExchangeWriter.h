#pragma once
// Turns a step file that the reader has rewritten into an exchange file: the exchange row (format
// version, source project, the step's names) and the library items the step names, read from the
// project, equipment and material databases given: the facility of the step and of its equipment,
// the equipment of its unit procedures with their classes and properties, its intermediates with
// their properties and mixtures (components too), the names of its unit sets and the range and
// comment types its ranges and comments name. Every value taken from those databases is checked
// as the step file reader checks it, so an exchange file the writer finishes needs no second
// reading. Raises CDaoException.

#include "modules/steputils/ExchangeRows.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>

class CDaoDatabase;

struct ExchangeSources {
    QString projectName;
    QString projectDB, equipmentDB, materialDB;
    long sourceStepID = 0; // the step's id in the project, when the file carries another; else the file's
    // The columns each library table shares with its exchange table, kept across the steps of one
    // copy when given: its libraries stay open, and are only read, meanwhile.
    std::shared_ptr<QHash<QString, QStringList>> sharedColumns;
};

class CStepExchangeWriter {
public:
    // Given `held`, the exchange rows are kept there and the file is only read.
    CStepExchangeWriter(CDaoDatabase& exchange, const ExchangeSources& sources, HeldExchangeRows* held = nullptr);
    // Why a value of those databases cannot go into the exchange file; empty once written.
    QString Write();

private:
    void WriteExchangeRow(CDaoDatabase& project);
    void WriteUnitSets(CDaoDatabase& project);
    void WriteTypes(CDaoDatabase& project);
    void WriteEquipment(CDaoDatabase& equipment);
    void WriteMaterials(CDaoDatabase& materials);
    QSet<long> StepIDs(const QString& sql);
    void Insert(const QString& exchangeTable, const QStringList& columns, const ExchangeRowList& rows);
    QStringList LibraryColumns(CDaoDatabase& library, const QString& libraryTable, const QString& exchangeTable);
    void CopyItems(CDaoDatabase& library, const QString& libraryTable, const QString& exchangeTable,
                   const QString& keyColumn, const QSet<long>& ids);

    CDaoDatabase& m_exchange;
    ExchangeSources m_sources;
    HeldExchangeRows* m_held;
    QString m_problem;
};

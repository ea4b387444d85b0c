#pragma once
// Where a plan's user-defined simulation sequence is kept: the project folder, the plan name with
// every character a name may not hold (and every control character) replaced by "_", then
// "_User_Sim_Def_", the plan id and ".txt".
//
// The file lists the operations in simulation order, one line each:
//   "<column>, <anchor column>, <step>, <anchor step>, <unit procedure>, <anchor unit procedure>,
//    <operation line>, <column label>, <operation text>"
// Columns are numbered by their position from 1. UTF-8, lines end with "\r\n", the last has none.
// A reader takes "\n" or "\r\n". An empty file holds no columns.

#include <QByteArray>
#include <QList>
#include <QString>

#include <climits>

QString UserSimSequenceFileName(const QString& planName, long planID);
QString UserSimSequenceFilePath(const QString& projectDir, const QString& planName, long planID);
// Whether a file name has the shape of a sequence file's (any plan).
bool IsUserSimSequenceFileName(const QString& fileName);
// Copies a sequence file as it is through a temporary renamed over the target, flushed with its
// folder. On failure the target keeps what it held and failedFile names the file that could not be
// read or written. The source is read only as a regular file under its own name (RegularFile.h):
// a link, a named pipe or a device there is a source that could not be read.
bool CopyUserSimSequenceFile(const QString& source, const QString& target, QString* failedFile = nullptr);
// "File <path> could not be opened!", the text every failed read or write of a sequence file shows.
QString SimSequenceFileNotOpenedText(const QString& path);
// The copy above; a failure is shown with that text, or for a source beyond a text file's bound
// with one that names its size.
bool CopyUserSimSequenceFileOrReport(const QString& source, const QString& target);

struct SimSequenceLine {
    int column = 0;       // position of the operation's column, from 1
    int anchorColumn = 0; // position of the column its row is anchored to
    long stepID = 0;
    long anchorStepID = 0;
    long unitProcedureID = 0;       // TextRecipe [ID] of the operation's unit-procedure line
    long anchorUnitProcedureID = 0; // of the row anchor's, -1 when none was written before
    long operationID = 0;           // TextRecipe [ID] of the operation line
    QString label;                  // the column's label
    QString text;                   // the operation's label and name

    bool operator==(const SimSequenceLine&) const = default;
};

QByteArray FormatSimSequence(const QList<SimSequenceLine>& lines);
// Why the lines are not written to path: their text is beyond the bound every reader of the file
// keeps (RegularFile.h's TEXT_FILE_BOUND). Empty when they may be.
QString SimSequenceSizeRefusal(const QString& path, const QList<SimSequenceLine>& lines);
// Replaces the file atomically and flushes it with its folder; false with the reason otherwise.
bool WriteSimSequenceFile(const QString& path, const QList<SimSequenceLine>& lines, QString* error = nullptr);

enum class SimSequenceRead {
    Read,       // the lines are valid
    Missing,    // no file
    Unreadable, // it cannot be read or breaks the format
};

// The format alone: seven whole numbers first on every line, column keys first met as 1, 2, 3 ...,
// each key with one step, and no more columns than maxColumns. Linear in the content: a line past
// the limit ends the reading at once.
bool ParseSimSequence(const QByteArray& content, QList<SimSequenceLine>& lines, int maxColumns = INT_MAX);
SimSequenceRead ReadSimSequenceFile(const QString& path, QList<SimSequenceLine>& lines,
                                    int maxColumns = INT_MAX);

// One visible operation of a step's recipe, in recipe order.
struct SimSequenceOperation {
    long unitProcedureID = 0;
    long operationID = 0;
    QString text; // Label, one blank, OperationName
};

// The columns' steps and the number of columns (keys run 1..count).
QList<long> SimSequenceColumnSteps(const QList<SimSequenceLine>& lines);
// The lines of each column (keys run 1..count), in file order: [column - 1] holds their indexes.
QList<QList<qsizetype>> SimSequenceLinesByColumn(const QList<SimSequenceLine>& lines);
// Whether each column lists exactly its step's visible operations, in recipe order; `operationsOf`
// answers a step's operations (asked per column: the caller may keep them per step).
template <typename OperationsOf>
bool SimSequenceMatchesSteps(const QList<SimSequenceLine>& lines, OperationsOf operationsOf);
// Whether the lines at those indexes are the operations, one each, in order.
bool SimSequenceColumnMatches(const QList<SimSequenceLine>& lines, const QList<qsizetype>& columnLines,
                              const QList<SimSequenceOperation>& operations);

template <typename OperationsOf>
bool SimSequenceMatchesSteps(const QList<SimSequenceLine>& lines, OperationsOf operationsOf)
{
    const QList<QList<qsizetype>> columns = SimSequenceLinesByColumn(lines);
    for (const QList<qsizetype>& column : columns) {
        if (!SimSequenceColumnMatches(lines, column, operationsOf(lines.at(column.first()).stepID)))
            return false;
    }
    return true;
}

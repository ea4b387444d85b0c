// A plan's user-defined sequence file as the planning and the engine read it: the format, the
// columns, and a written form that reads back as it was written.

#include "FuzzTarget.h"
#include "foundation/common/UserSimSequenceFile.h"

namespace {

void Entry(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QList<SimSequenceLine> lines;
    if (!ParseSimSequence(bytes, lines, 256))
        return;
    const QList<long> steps = SimSequenceColumnSteps(lines);
    const QList<QList<qsizetype>> columns = SimSequenceLinesByColumn(lines);
    if (steps.size() != columns.size())
        FuzzFailure("a sequence's columns and their steps differ in number");
    // Writing puts each line on one line (a line break in a text becomes a blank); what was
    // written reads back as it was written.
    QList<SimSequenceLine> written, again;
    if (!ParseSimSequence(FormatSimSequence(lines), written) ||
        !ParseSimSequence(FormatSimSequence(written), again) || again != written)
        FuzzFailure("a written sequence reads back otherwise");
}

void Seeds(const QString& folder)
{
    const QList<SimSequenceLine> two = {
        {1, 1, 1001, 1001, 3, -1, 4, "Step 1", "OP-1 Charge"},
        {1, 1, 1001, 1001, 3, 3, 5, "Step 1", "OP-2 Heat"},
        {2, 1, 1002, 1001, 7, 3, 8, "Step 2", "OP-1 Transfer, to receiver"},
    };
    WriteSeed(folder, "two-columns", FormatSimSequence(two));
    WriteSeed(folder, "one-line", FormatSimSequence({two.first()}));
    WriteSeed(folder, "empty", QByteArray());
}

} // namespace

QV_FUZZ_TARGET(sequence_file, Entry, Seeds)

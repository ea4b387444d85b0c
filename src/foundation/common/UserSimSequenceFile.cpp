#include "foundation/common/UserSimSequenceFile.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/NewFile.h"
#include "foundation/common/RegularFile.h"
#include "foundation/db/connection/ChangeTracking.h"

#include <QDir>
#include <QRegularExpression>

#include <climits>

namespace {
const QString SEQUENCE_NAME_FORBIDDEN = QStringLiteral("\\/:*?\"<>|'");

QString SanitisedPlanName(QString name)
{
    for (QChar& c : name)
        if (c.category() == QChar::Other_Control || SEQUENCE_NAME_FORBIDDEN.contains(c))
            c = QLatin1Char('_');
    return name;
}
} // namespace

QString UserSimSequenceFileName(const QString& planName, long planID)
{
    return SanitisedPlanName(planName) + QStringLiteral("_User_Sim_Def_") + QString::number(planID) +
           QStringLiteral(".txt");
}

QString UserSimSequenceFilePath(const QString& projectDir, const QString& planName, long planID)
{
    return QDir(projectDir).filePath(UserSimSequenceFileName(planName, planID));
}

bool IsUserSimSequenceFileName(const QString& fileName)
{
    // Anchored at the very end: "$" would also match before a final line break.
    static const QRegularExpression shape(
        QRegularExpression::anchoredPattern(QStringLiteral(".*_User_Sim_Def_-?[0-9]{1,19}\\.txt")),
        QRegularExpression::CaseInsensitiveOption);
    return shape.match(fileName).hasMatch();
}

// ---- writing

namespace {
// A line break inside a label or text would split its line.
QString SimSequenceOneLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

QByteArray SimSequenceLineText(const SimSequenceLine& line)
{
    return QStringLiteral("%1, %2, %3, %4, %5, %6, %7, %8, %9")
        .arg(line.column)
        .arg(line.anchorColumn)
        .arg(line.stepID)
        .arg(line.anchorStepID)
        .arg(line.unitProcedureID)
        .arg(line.anchorUnitProcedureID)
        .arg(line.operationID)
        .arg(SimSequenceOneLine(line.label), SimSequenceOneLine(line.text))
        .toUtf8();
}
} // namespace

QByteArray FormatSimSequence(const QList<SimSequenceLine>& lines)
{
    QByteArray content;
    for (const SimSequenceLine& line : lines) {
        if (!content.isEmpty())
            content += "\r\n";
        content += SimSequenceLineText(line);
    }
    return content;
}

QString SimSequenceSizeRefusal(const QString& path, const QList<SimSequenceLine>& lines)
{
    const qint64 size = FormatSimSequence(lines).size();
    if (size <= TEXT_FILE_BOUND)
        return QString();
    return QStringLiteral(
               "The sequence \"%1\" would hold %2 bytes, more than the %3 a sequence file may hold: "
               "it is not written.")
        .arg(path)
        .arg(size)
        .arg(TEXT_FILE_BOUND);
}

bool WriteSimSequenceFile(const QString& path, const QList<SimSequenceLine>& lines, QString* error)
{
    if (const QString refusal = SimSequenceSizeRefusal(path, lines); !refusal.isEmpty()) {
        if (error)
            *error = refusal;
        return false;
    }
    NoteFileWritten(path); // a save compares it with its target again
    return ReplaceWithNewFile(path, FormatSimSequence(lines), error);
}

// ---- reading

namespace {
bool ParseSimSequenceLine(const QByteArray& raw, SimSequenceLine& line)
{
    const QString text = QString::fromUtf8(raw);
    qsizetype from = 0;
    long numbers[7] = {};
    for (long& number : numbers) {
        const qsizetype comma = text.indexOf(QLatin1Char(','), from);
        if (comma < 0)
            return false;
        bool ok = false;
        number = text.mid(from, comma - from).trimmed().toLong(&ok);
        if (!ok || number < INT_MIN || number > INT_MAX)
            return false;
        from = comma + 1;
    }
    const QString rest = text.mid(from);
    const qsizetype comma = rest.indexOf(QLatin1Char(','));
    line = {int(numbers[0]), int(numbers[1]), numbers[2], numbers[3], numbers[4], numbers[5], numbers[6],
            rest.left(comma).trimmed(), comma < 0 ? QString() : rest.mid(comma + 1)};
    while (!line.text.isEmpty() && (line.text.front() == u',' || line.text.front() == u' '))
        line.text.remove(0, 1);
    while (!line.text.isEmpty() && (line.text.back() == u',' || line.text.back() == u' '))
        line.text.chop(1);
    return true;
}

// Keys first met as 1, 2, 3 ..., each with one step; steps holds each column's step so far.
bool SimSequenceKeyValid(const SimSequenceLine& line, QList<long>& steps, int maxColumns)
{
    if (line.column == steps.size() + 1 && line.column <= maxColumns) {
        steps.append(line.stepID);
        return true;
    }
    return line.column >= 1 && line.column <= steps.size() && steps.at(line.column - 1) == line.stepID;
}
} // namespace

bool ParseSimSequence(const QByteArray& content, QList<SimSequenceLine>& lines, int maxColumns)
{
    lines.clear();
    QList<long> steps;
    qsizetype from = 0;
    while (from < content.size()) {
        qsizetype end = content.indexOf('\n', from);
        if (end < 0)
            end = content.size();
        QByteArray row = content.mid(from, end - from);
        if (row.endsWith('\r'))
            row.chop(1);
        from = end + 1; // a final line end ends the content
        SimSequenceLine line;
        if (!ParseSimSequenceLine(row, line) || !SimSequenceKeyValid(line, steps, maxColumns)) {
            lines.clear();
            return false;
        }
        lines.append(line);
    }
    return true;
}

SimSequenceRead ReadSimSequenceFile(const QString& path, QList<SimSequenceLine>& lines, int maxColumns)
{
    lines.clear();
    const RegularFileRead file = ReadRegularFile(path, LinkRule::Refuse, TEXT_FILE_BOUND);
    if (file.state == RegularFileState::Missing)
        return SimSequenceRead::Missing;
    if (!file.read())
        return SimSequenceRead::Unreadable;
    return ParseSimSequence(file.bytes, lines, maxColumns) ? SimSequenceRead::Read : SimSequenceRead::Unreadable;
}

QList<long> SimSequenceColumnSteps(const QList<SimSequenceLine>& lines)
{
    QList<long> steps;
    for (const SimSequenceLine& line : lines) {
        if (line.column == steps.size() + 1)
            steps.append(line.stepID);
    }
    return steps;
}

QList<QList<qsizetype>> SimSequenceLinesByColumn(const QList<SimSequenceLine>& lines)
{
    QList<QList<qsizetype>> columns;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int column = lines.at(i).column;
        if (column == columns.size() + 1)
            columns.append(QList<qsizetype>());
        if (column >= 1 && column <= columns.size())
            columns[column - 1].append(i);
    }
    return columns;
}

bool SimSequenceColumnMatches(const QList<SimSequenceLine>& lines, const QList<qsizetype>& columnLines,
                              const QList<SimSequenceOperation>& operations)
{
    if (columnLines.isEmpty() || columnLines.size() != operations.size())
        return false;
    for (qsizetype next = 0; next < columnLines.size(); ++next) {
        const SimSequenceLine& line = lines.at(columnLines.at(next));
        if (operations.at(next).operationID != line.operationID ||
            operations.at(next).unitProcedureID != line.unitProcedureID)
            return false;
    }
    return true;
}

bool CopyUserSimSequenceFile(const QString& source, const QString& target, QString* failedFile)
{
    const RegularFileRead in = ReadRegularFile(source, LinkRule::Refuse, TEXT_FILE_BOUND);
    if (in.read()) {
        NoteFileWritten(target);
        if (ReplaceWithNewFile(target, in.bytes, nullptr))
            return true;
    }
    if (failedFile)
        *failedFile = in.read() ? target : source;
    return false;
}

QString SimSequenceFileNotOpenedText(const QString& path)
{
    return QStringLiteral("File %1 could not be opened!").arg(path);
}

bool CopyUserSimSequenceFileOrReport(const QString& source, const QString& target)
{
    QString failed;
    if (CopyUserSimSequenceFile(source, target, &failed))
        return true;
    const QString tooLarge = SizeBoundRefusal(failed, LinkRule::Refuse, TEXT_FILE_BOUND);
    QvMessageBox(tooLarge.isEmpty() ? SimSequenceFileNotOpenedText(failed) : tooLarge);
    return false;
}

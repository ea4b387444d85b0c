// The structure rules of a text recipe: step-level block rules, the split into levels, and the
// per-level rules (balance, branches, stray Series, neighbours).

#include "SchemaTestSupport.h"

namespace {

const QString UP = QStringLiteral("Unit Procedure");
const QString OP = QStringLiteral("Operation");
const QString IEC = QStringLiteral("Text Recipe has entries not allowed by IEC 1131-3 Standard. ");
const QString UNBALANCED = QStringLiteral("Unbalanced Start and End in Text Recipe");

bool Is(const RecipeCheckRow& row, const QString& type)
{
    return row.type.compare(type, Qt::CaseInsensitive) == 0;
}

bool IsStart(const RecipeCheckRow& row)
{
    return Is(row, QStringLiteral("Start Parallel")) || Is(row, QStringLiteral("Start Or"));
}

// Pairs Start and End rows of one kind. Over the whole step an End without a Start is passed over
// and a Start left open fails; within a level it is the other way round (an open Start only warns).
QString PairBlocks(const QList<RecipeCheckRow>& rows, const QString& word, QList<int>& pair, bool level)
{
    QList<int> stack;
    for (int i = 0; i < rows.size(); ++i) {
        if (Is(rows[i], QStringLiteral("Start ") + word)) {
            if (!level && (i + 1 >= rows.size() || !Is(rows[i + 1], QStringLiteral("Series"))))
                return QStringLiteral("Start %1 keyword must be followed by a Series keyword").arg(word);
            stack << i;
        } else if (Is(rows[i], QStringLiteral("End ") + word)) {
            if (stack.isEmpty() && level)
                return UNBALANCED;
            if (stack.isEmpty())
                continue;
            pair[i] = stack.last();
            pair[stack.takeLast()] = i;
        }
    }
    return stack.isEmpty() || level ? QString() : UNBALANCED;
}

QString CheckStepLevel(const QList<RecipeCheckRow>& rows, QList<int>& pair)
{
    for (const char* word : {"Parallel", "Or"}) {
        const QString message = PairBlocks(rows, QString::fromLatin1(word), pair, false);
        if (!message.isEmpty())
            return message;
    }
    for (int i = 0; i + 2 < rows.size(); ++i) {
        if (!IsStart(rows[i]) || pair[i] < 0)
            continue;
        if (Is(rows[i + 2], UP) && pair[i] + 1 < rows.size() && !Is(rows[pair[i] + 1], UP))
            return QStringLiteral("When using parallel Unit Procedures, the End Parallel must end a Unit Procedure");
        for (int j = i + 3; Is(rows[i + 2], OP) && j < pair[i]; ++j) {
            if (Is(rows[j], UP))
                return QStringLiteral("When using parallel Operations, the Start and End Parallel must be within one "
                                      "Unit Procedure");
        }
    }
    return {};
}

// The last row that belongs to the unit procedure at index up.
int UnitProcedureEnd(const QList<RecipeCheckRow>& rows, const QList<int>& pair, int up)
{
    int end = up;
    for (int j = up + 1; j < rows.size(); ++j) {
        if (Is(rows[j], UP) || (IsStart(rows[j]) && j + 2 < rows.size() && Is(rows[j + 2], UP)))
            break;
        if (Is(rows[j], OP))
            end = j;
        else if (IsStart(rows[j]) && pair[j] > j)
            end = j = pair[j];
    }
    return end;
}

QString ExcessSeries(const QList<RecipeCheckRow>& rows, int at)
{
    const int step = at > 0 ? -1 : 1;
    QString label;
    for (int j = at + step; j >= 0 && j < rows.size() && label.isEmpty(); j += step)
        label = rows[j].label;
    return QStringLiteral("Excess series keyword found %1 operation %2 Remove keyword to simulate.")
        .arg(at > 0 ? QStringLiteral("after") : QStringLiteral("before"), label);
}

QString CheckNeighbours(const QList<RecipeCheckRow>& rows, const QList<int>& depth, const QString& kind)
{
    for (int i = 0; i + 1 < rows.size(); ++i) {
        const bool nextIsItem = Is(rows[i + 1], kind);
        const bool previousIsItem = i == 0 || Is(rows[i - 1], kind);
        if (IsStart(rows[i]) && !previousIsItem)
            return IEC + rows[i].type + QStringLiteral(" keyword must be preceded by an Operation or Unit Procedure, "
                                                       "or it must begin the Unit Procedure");
        if (Is(rows[i], QStringLiteral("Series")) && depth[i] > 1 && !nextIsItem)
            return IEC + QStringLiteral("Series keyword must be followed by an Operation or Unit Procedure");
        if (rows[i].type.startsWith(QStringLiteral("End "), Qt::CaseInsensitive) && !nextIsItem)
            return IEC + rows[i].type + QStringLiteral(" keyword must be followed by either an Operation or a Unit "
                                                       "Procedure, or it must end the Unit Procedure");
    }
    return {};
}

QString CheckLevel(const QList<RecipeCheckRow>& rows, const QString& kind)
{
    QList<int> pair(rows.size(), -1);
    for (const char* word : {"Parallel", "Or"}) {
        const QString message = PairBlocks(rows, QString::fromLatin1(word), pair, true);
        if (!message.isEmpty())
            return message;
    }
    QList<int> depth(rows.size(), 1);
    for (int i = 0; i < rows.size(); ++i) {
        for (int j = i; IsStart(rows[i]) && pair[i] > i && j <= pair[i]; ++j)
            ++depth[j];
    }
    for (int i = 0; i < rows.size(); ++i) {
        int series = 0;
        for (int j = i; IsStart(rows[i]) && j < pair[i]; ++j)
            series += Is(rows[j], QStringLiteral("Series")) && depth[j] == depth[i];
        if (IsStart(rows[i]) && pair[i] >= 0 && (pair[i] < i || series < 2))
            return QStringLiteral("Some Series statements are missing");
    }
    for (int i = 0; i < rows.size(); ++i) {
        if (Is(rows[i], QStringLiteral("Series")))
            return ExcessSeries(rows, i);
        if (IsStart(rows[i]) && pair[i] > i)
            i = pair[i];
    }
    return CheckNeighbours(rows, depth, kind);
}

} // namespace

QString CheckRecipeStructure(const QList<RecipeCheckRow>& rows)
{
    QList<int> pair(rows.size(), -1);
    QString message = CheckStepLevel(rows, pair);
    QList<RecipeCheckRow> unitProcedureLevel;
    int levelStart = 0;
    for (int i = 0; message.isEmpty() && i < rows.size(); ++i) {
        if (!Is(rows[i], UP))
            continue;
        unitProcedureLevel.append(rows.mid(levelStart, i - levelStart + 1));
        const int end = UnitProcedureEnd(rows, pair, i);
        message = CheckLevel(rows.mid(i + 1, end - i), OP);
        levelStart = end + 1;
        i = end;
    }
    unitProcedureLevel.append(rows.mid(levelStart));
    return message.isEmpty() ? CheckLevel(unitProcedureLevel, UP) : message;
}

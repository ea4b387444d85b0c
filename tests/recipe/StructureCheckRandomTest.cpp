// 100,000 seeded random keyword sequences through the structure check, each compared with a plain
// restatement of the block rules below: same pass or fail, same first message, same warnings.
// Half are random token strings, half well-formed recipes with a few random edits. About 3.5 s
// under the sanitizers.

#include "foundation/common/MessageBox.h"
#include "recipe/transitions/RecipeKeywords.h"
#include "recipe/transitions/RecipeTransitionPass.h"
#include "recipe/transitions/StructureMessages.h"

#include <gtest/gtest.h>

#include <random>

namespace {

enum Token { U, O, SP, EP, SO, EO, S };
using Tokens = std::vector<int>;

// ---- the reference: each rule read straight off its statement, no shared code ---------------

struct Verdict {
    QString message; // empty: passes
    unsigned icon = 0;
    int warnings = 0;
};

bool isStart(int t)
{
    return t == SP || t == SO;
}

bool isEnd(int t)
{
    return t == EP || t == EO;
}

int at(const Tokens& t, long i)
{
    return i >= 0 && i < long(t.size()) ? t[size_t(i)] : -1;
}

// The latest still unmatched Start of the kind before each End; false at an End with none.
bool matchBlocks(const Tokens& t, int start, int end, std::vector<long>& partner, bool& endWithoutStart)
{
    for (long j = 0; j < long(t.size()); ++j) {
        if (t[size_t(j)] != end)
            continue;
        long s = j - 1;
        while (s >= 0 && !(t[size_t(s)] == start && partner[size_t(s)] < 0))
            --s;
        if (s < 0) {
            endWithoutStart = true;
            return false;
        }
        partner[size_t(s)] = j;
        partner[size_t(j)] = s;
    }
    return true;
}

bool anyOpen(const Tokens& t, int start, const std::vector<long>& partner)
{
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] == start && partner[i] < 0)
            return true;
    }
    return false;
}

QString stepRules(const Tokens& t, std::vector<long>& partner)
{
    const std::pair<int, int> kinds[] = {{SP, EP}, {SO, EO}};
    for (const auto& [start, end] : kinds) {
        for (long i = 0; i < long(t.size()); ++i) {
            if (t[size_t(i)] == start && at(t, i + 1) != S)
                return start == SP ? START_PARALLEL_NEEDS_SERIES : START_OR_NEEDS_SERIES;
        }
        for (long j = 0; j < long(t.size()); ++j) { // an End with nothing open is passed over
            long s = j - 1;
            while (t[size_t(j)] == end && s >= 0 && !(t[size_t(s)] == start && partner[size_t(s)] < 0))
                --s;
            if (t[size_t(j)] == end && s >= 0)
                partner[size_t(s)] = j, partner[size_t(j)] = s;
        }
        if (anyOpen(t, start, partner))
            return UNBALANCED_BLOCKS;
    }
    for (long i = 0; i < long(t.size()); ++i) {
        const long after = partner[size_t(i)] + 1;
        if (isStart(t[size_t(i)]) && at(t, i + 2) == U && after < long(t.size()) && t[size_t(after)] != U)
            return PARALLEL_UNIT_PROCEDURES_END;
    }
    for (long i = 0; i < long(t.size()); ++i) {
        if (!isStart(t[size_t(i)]) || at(t, i + 2) != O)
            continue;
        for (long j = i + 3; j < partner[size_t(i)]; ++j)
            if (t[size_t(j)] == U)
                return PARALLEL_OPERATIONS_WITHIN;
    }
    return QString();
}

struct Level {
    std::vector<long> rows; // indexes into the recipe
    int kind;
};

std::vector<Level> splitLevels(const Tokens& t, const std::vector<long>& partner)
{
    std::vector<Level> levels(1, Level{{}, U});
    long placed = 0;
    for (long u = 0; u < long(t.size()); ++u) {
        if (t[size_t(u)] != U)
            continue;
        long end = u;
        for (long j = u + 1; j < long(t.size()) && t[size_t(j)] != U; ++j) {
            if (t[size_t(j)] == O)
                end = j;
            else if (isStart(t[size_t(j)]) && at(t, j + 2) == U)
                break;
            else if (isStart(t[size_t(j)]))
                end = j = partner[size_t(j)];
        }
        for (long r = placed; r <= u; ++r)
            levels[0].rows.push_back(r);
        Level operations{{}, O};
        for (long r = u + 1; r <= end; ++r)
            operations.rows.push_back(r);
        levels.push_back(operations);
        placed = end + 1;
        u = end;
    }
    for (long r = placed; r < long(t.size()); ++r)
        levels[0].rows.push_back(r);
    return levels;
}

QString labelOf(const std::vector<QString>& labels, const Level& level, long from, long step)
{
    for (long i = from; i >= 0 && i < long(level.rows.size()); i += step)
        if (!labels[size_t(level.rows[size_t(i)])].isEmpty())
            return labels[size_t(level.rows[size_t(i)])];
    return QString();
}

bool levelRules(const Tokens& all, const std::vector<QString>& labels, const Level& level, Verdict& v)
{
    Tokens t;
    for (long r : level.rows)
        t.push_back(all[size_t(r)]);
    const long n = long(t.size());
    std::vector<long> partner(size_t(n), -1);
    for (const auto& [start, end] : {std::pair{SP, EP}, std::pair{SO, EO}}) {
        bool endWithoutStart = false;
        if (!matchBlocks(t, start, end, partner, endWithoutStart))
            return v.message = UNBALANCED_BLOCKS, v.icon = MB_ICONEXCLAMATION, false;
        v.warnings += anyOpen(t, start, partner) ? 1 : 0;
    }
    auto depth = [&](long r) {
        long d = 1;
        for (long s = 0; s < n; ++s)
            d += isStart(t[size_t(s)]) && partner[size_t(s)] > s && s <= r && r <= partner[size_t(s)] ? 1 : 0;
        return d;
    };
    for (long s = 0; s < n; ++s) {
        if (!isStart(t[size_t(s)]))
            continue;
        long series = 0;
        for (long r = s; r < partner[size_t(s)]; ++r)
            series += t[size_t(r)] == S && depth(r) == depth(s) ? 1 : 0;
        if (partner[size_t(s)] < s || series < 2)
            return v.message = SERIES_MISSING, v.icon = MB_ICONEXCLAMATION, false;
    }
    for (long r = 0; r < n; ++r) {
        if (isStart(t[size_t(r)]))
            r = partner[size_t(r)];
        else if (t[size_t(r)] == S && r > 0)
            return v.message = EXCESS_SERIES_AFTER.arg(labelOf(labels, level, r - 1, -1)), v.icon = MB_OK,
                   false;
        else if (t[size_t(r)] == S)
            return v.message = EXCESS_SERIES_BEFORE.arg(labelOf(labels, level, 1, 1)), v.icon = MB_OK, false;
    }
    for (long i = 0; i + 1 < n; ++i) {
        const int here = t[size_t(i)], next = t[size_t(i + 1)];
        QString message;
        if (isStart(here) && i > 0 && t[size_t(i - 1)] != level.kind)
            message = here == SP ? IEC_START_PARALLEL : IEC_START_OR;
        else if ((here == S || isEnd(here)) && next != level.kind)
            message = here == S ? IEC_SERIES : here == EP ? IEC_END_PARALLEL : IEC_END_OR;
        if (!message.isEmpty())
            return v.message = message, v.icon = MB_ICONEXCLAMATION, false;
    }
    return true;
}

Verdict reference(const Tokens& t, const std::vector<QString>& labels)
{
    Verdict v;
    std::vector<long> partner(t.size(), -1);
    v.message = stepRules(t, partner);
    if (!v.message.isEmpty()) {
        v.icon = MB_ICONEXCLAMATION;
        return v;
    }
    for (const Level& level : splitLevels(t, partner)) {
        if (!levelRules(t, labels, level, v))
            return v;
    }
    return v;
}

// ---- generation ------------------------------------------------------------------------------

class RecipeDice {
public:
    explicit RecipeDice(unsigned seed) : m_random(seed) {}

    Tokens Next() { return Pick(2) == 0 ? RandomTokens() : Edited(WellFormed()); }

private:
    int Pick(int n) { return int(m_random() % unsigned(n)); }

    Tokens RandomTokens()
    {
        static const int weighted[] = {U, U, O, O, O, O, SP, EP, SO, EO, S, S, S};
        Tokens t(size_t(1 + Pick(14)));
        for (int& token : t)
            token = weighted[Pick(13)];
        return t;
    }

    void Block(Tokens& t, bool units, int depth)
    {
        const bool parallel = Pick(2) == 0;
        t.push_back(parallel ? SP : SO);
        for (int branch = 2 + Pick(2); branch > 0; --branch) {
            t.push_back(S);
            if (units) {
                t.push_back(U);
                Operations(t, depth + 1);
            } else {
                Operations(t, depth + 1);
            }
        }
        t.push_back(parallel ? EP : EO);
    }

    void Operations(Tokens& t, int depth)
    {
        t.push_back(O);
        for (int more = Pick(3); more > 0; --more) {
            if (depth < 2 && Pick(3) == 0)
                Block(t, false, depth);
            t.push_back(O);
        }
    }

    Tokens WellFormed()
    {
        Tokens t;
        for (int part = 1 + Pick(3); part > 0; --part) {
            if (Pick(4) == 0)
                Block(t, true, 0);
            t.push_back(U);
            Operations(t, 0);
        }
        return t;
    }

    Tokens Edited(Tokens t)
    {
        for (int edits = Pick(3); edits > 0 && !t.empty(); --edits) {
            const auto where = t.begin() + Pick(int(t.size()));
            const int what = Pick(3), token = Pick(7);
            if (what == 0)
                t.erase(where);
            else if (what == 1)
                t.insert(where, token);
            else
                *where = token;
        }
        return t;
    }

    std::mt19937 m_random;
};

// "u." and "u.o." made once: building texts for every row would cost more than the check.
QString labelText(long unit, long operation)
{
    if (unit >= 16 || operation >= 16)
        return operation == 0 ? QStringLiteral("%1.").arg(unit)
                              : QStringLiteral("%1.%2.").arg(unit).arg(operation);
    static const auto table = [] {
        std::vector<std::vector<QString>> texts(16, std::vector<QString>(16));
        for (long u = 0; u < 16; ++u) {
            texts[size_t(u)][0] = QStringLiteral("%1.").arg(u);
            for (long o = 1; o < 16; ++o)
                texts[size_t(u)][size_t(o)] = QStringLiteral("%1.%2.").arg(u).arg(o);
        }
        return texts;
    }();
    return table[size_t(unit)][size_t(operation)];
}

std::vector<QString> labelsOf(const Tokens& t)
{
    std::vector<QString> labels(t.size());
    long unit = 0, operation = 0;
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] == U)
            labels[i] = labelText(++unit, operation = 0);
        else if (t[i] == O)
            labels[i] = labelText(unit, ++operation);
    }
    return labels;
}

Array<RecipeRow> rowsOf(const Tokens& t, const std::vector<QString>& labels)
{
    static const QString types[] = {
        UNIT_PROCEDURE_TYPE, OPERATION_TYPE, START_PARALLEL, END_PARALLEL, START_OR, END_OR, SERIES_KEYWORD};
    Array<RecipeRow> rows;
    for (size_t i = 0; i < t.size(); ++i)
        rows.Add({labels[i], 0, 0, 1, long(100 + i), types[t[i]]});
    return rows;
}

std::string textOf(const Tokens& t)
{
    static const char* names[] = {"U", "O", "SP", "EP", "SO", "EO", "S"};
    std::string text;
    for (int token : t)
        text += std::string(names[token]) + ' ';
    return text;
}

} // namespace

TEST(StructureCheckRandom, AgreesWithTheRulesOnRandomSequences)
{
    RecipeDice dice(20261207u);
    int passed = 0, failures = 0;
    for (int i = 0; i < 100000 && failures < 5; ++i) {
        const Tokens tokens = dice.Next();
        const std::vector<QString> labels = labelsOf(tokens);
        const Verdict expected = reference(tokens, labels);
        const StructureCheckResult actual = CheckRecipeStructure(rowsOf(tokens, labels));
        passed += actual.passed ? 1 : 0;
        const bool same = actual.passed == expected.message.isEmpty() && actual.message == expected.message &&
                          (actual.passed || actual.icon == expected.icon) &&
                          actual.warnings.size() == expected.warnings;
        if (!same) {
            ++failures;
            ADD_FAILURE() << textOf(tokens) << "\n  check: " << actual.message.toStdString()
                          << "\n  rules: " << expected.message.toStdString();
        }
    }
    // Enough of the sequences get through every rule to compare the deeper ones.
    EXPECT_GT(passed, 10000);
}

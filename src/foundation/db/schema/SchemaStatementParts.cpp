#include "foundation/db/schema/SchemaStatementParts.h"

#include <QLatin1StringView>
#include <QList>
#include <QStringView>

#include <algorithm>

namespace {

bool IsSqlWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'$' || c.unicode() >= 0x80;
}

// The engine's white space: ASCII only.
bool IsSqlSpace(QChar c)
{
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

bool IsSqlQuote(QChar c)
{
    return c == u'\'' || c == u'"' || c == u'`' || c == u'[';
}

// The index just past the token that starts at i: a quoted literal or name, a comment, a word, or
// one character.
qsizetype SkipSqlToken(QStringView sql, qsizetype i)
{
    const QChar c = sql.at(i);
    const QChar next = i + 1 < sql.size() ? sql.at(i + 1) : QChar();
    if (IsSqlQuote(c)) {
        const QChar close = c == u'[' ? QChar(u']') : c;
        qsizetype end = sql.indexOf(close, i + 1);
        // A doubled quote inside is the quote itself ([...] has no escape).
        while (end >= 0 && c != u'[' && end + 1 < sql.size() && sql.at(end + 1) == close)
            end = sql.indexOf(close, end + 2);
        return end < 0 ? sql.size() : end + 1;
    }
    if (c == u'-' && next == u'-') {
        const qsizetype end = sql.indexOf(u'\n', i + 2);
        return end < 0 ? sql.size() : end + 1;
    }
    if (c == u'/' && next == u'*') {
        const qsizetype end = sql.indexOf(QLatin1StringView("*/"), i + 2);
        return end < 0 ? sql.size() : end + 2;
    }
    qsizetype end = i + 1;
    if (IsSqlWordCharacter(c))
        while (end < sql.size() && IsSqlWordCharacter(sql.at(end)))
            ++end;
    return end;
}

// The statement's tokens without white space and comments, as views into it.
QList<QStringView> SqlTokens(QStringView sql)
{
    QList<QStringView> tokens;
    for (qsizetype i = 0; i < sql.size();) {
        const qsizetype end = SkipSqlToken(sql, i);
        const QStringView token = sql.mid(i, end - i);
        if (!IsSqlSpace(token.front()) && !token.startsWith(u"--") && !token.startsWith(u"/*"))
            tokens.append(token);
        i = end;
    }
    return tokens;
}

bool IsWord(QStringView token, const char* word)
{
    return token.compare(QLatin1StringView(word), Qt::CaseInsensitive) == 0;
}

// A word in lower case as the engine folds it (ASCII letters only); any other token as it is.
QString NormalizedToken(QStringView token)
{
    QString normalized = token.toString();
    if (!IsSqlWordCharacter(token.front()))
        return normalized;
    for (QChar& c : normalized) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return normalized;
}

QString UnquotedToken(QStringView token)
{
    if (token.size() < 2 || !IsSqlQuote(token.front()))
        return token.toString();
    const QChar close = token.front() == u'[' ? QChar(u']') : token.front();
    QString inner = token.mid(1, token.size() - 2).toString();
    return close == u']' ? inner : inner.replace(QString(2, close), QString(close));
}

// The index of the token closing the parenthesis opened at `from` (or `from` itself when it opens
// none), the tokens from `from` to it added to taken when given.
qsizetype SkipParenthesized(const QList<QStringView>& tokens, qsizetype from, QStringList* taken)
{
    int depth = 0;
    for (qsizetype i = from; i < tokens.size(); ++i) {
        const QStringView token = tokens.at(i);
        depth += token == u"(" ? 1 : token == u")" ? -1 : 0;
        if (taken)
            *taken << NormalizedToken(token);
        if (depth <= 0)
            return i;
    }
    return tokens.size();
}

bool StartsTableConstraint(QStringView token)
{
    return std::ranges::any_of(
        std::initializer_list<const char*>{"constraint", "primary", "unique", "check", "foreign"},
        [token](const char* word) { return IsWord(token, word); });
}

bool IsEnginesCollation(const QString& name)
{
    return IsWord(name, "binary") || IsWord(name, "nocase") || IsWord(name, "rtrim");
}

QString OptionsAfter(const QList<QStringView>& tokens, qsizetype last)
{
    QStringList options;
    for (qsizetype i = last + 1; i < tokens.size(); ++i)
        options << tokens.at(i).toString().toUpper();
    return options.join(u' ');
}

} // namespace

StatementParts ReadStatementParts(const QString& statement, bool table)
{
    StatementParts parts;
    const QList<QStringView> tokens = SqlTokens(statement);
    int depth = 0;
    bool itemStarts = false, bodyEnded = false;
    QString itemColumn; // the column a table's column definition defines
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const QStringView token = tokens.at(i);
        if (itemStarts)
            itemColumn = table && !StartsTableConstraint(token) ? UnquotedToken(token) : QString();
        itemStarts = (token == u"(" && ++depth == 1) || (token == u"," && depth == 1);
        if (token == u")" && --depth == 0 && table && !bodyEnded) {
            bodyEnded = true;
            parts.tableOptions = OptionsAfter(tokens, i);
        }
        if (IsWord(token, "check")) {
            // The expression is taken whole, its parentheses included.
            QStringList expression;
            i = SkipParenthesized(tokens, i + 1, &expression);
            parts.checks << expression.join(u' ');
        } else if (IsWord(token, "collate") && i + 1 < tokens.size() && !parts.foreignCollation) {
            const QString collation = UnquotedToken(tokens.at(i + 1));
            if (!IsEnginesCollation(collation))
                parts.foreignCollation = NamedCollation{
                    itemColumn.isEmpty() && i > 0 ? UnquotedToken(tokens.at(i - 1)) : itemColumn, collation};
        }
    }
    return parts;
}

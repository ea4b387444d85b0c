#include "foundation/db/schema/SchemaStatementParts.h"

#include <QLatin1StringView>

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
qsizetype SkipSqlToken(const QString& sql, qsizetype i)
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

bool IsSqlComment(QStringView token)
{
    return token.startsWith(u"--") || token.startsWith(u"/*");
}

// The statement's tokens without white space and comments.
QStringList Tokens(const QString& sql)
{
    QStringList tokens;
    for (qsizetype i = 0; i < sql.size();) {
        const qsizetype end = SkipSqlToken(sql, i);
        const QStringView token = QStringView(sql).mid(i, end - i);
        if (!IsSqlSpace(token.front()) && !IsSqlComment(token))
            tokens.append(token.toString());
        i = end;
    }
    return tokens;
}

bool IsWord(const QString& token, QLatin1StringView word)
{
    return token.compare(word, Qt::CaseInsensitive) == 0;
}

// A word in lower case as the engine folds it (ASCII letters only); any other token as it is.
QString NormalizedToken(QString token)
{
    if (!IsSqlWordCharacter(token.front()))
        return token;
    for (QChar& c : token) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return token;
}

QString UnquotedToken(const QString& token)
{
    if (token.size() < 2 || !IsSqlQuote(token.front()))
        return token;
    const QChar close = token.front() == u'[' ? QChar(u']') : token.front();
    QString inner = token.mid(1, token.size() - 2);
    return close == u']' ? inner : inner.replace(QString(2, close), QString(close));
}

// The tokens from the one at `from` to its closing parenthesis (or the one token when it is no
// opening one); the index of the last one taken.
qsizetype TakeParenthesized(const QStringList& tokens, qsizetype from, QStringList& taken)
{
    int depth = 0;
    for (qsizetype i = from; i < tokens.size(); ++i) {
        const QString& token = tokens.at(i);
        depth += token == u"(" ? 1 : token == u")" ? -1 : 0;
        taken << NormalizedToken(token);
        if (depth <= 0)
            return i;
    }
    return tokens.size();
}

bool StartsTableConstraint(const QString& token)
{
    return std::ranges::any_of(std::initializer_list<QLatin1StringView>{QLatin1StringView("constraint"),
                                                                        QLatin1StringView("primary"),
                                                                        QLatin1StringView("unique"),
                                                                        QLatin1StringView("check"),
                                                                        QLatin1StringView("foreign")},
                               [&token](QLatin1StringView word) { return IsWord(token, word); });
}

bool IsEnginesCollation(const QString& name)
{
    return IsWord(name, QLatin1StringView("binary")) || IsWord(name, QLatin1StringView("nocase")) ||
           IsWord(name, QLatin1StringView("rtrim"));
}

} // namespace

QStringList CheckExpressions(const QString& statement)
{
    const QStringList tokens = Tokens(statement);
    QStringList expressions;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (!IsWord(tokens.at(i), QLatin1StringView("check")))
            continue;
        QStringList expression;
        i = TakeParenthesized(tokens, i + 1, expression);
        expressions << expression.join(u' ');
    }
    return expressions;
}

QString TableOptions(const QString& statement)
{
    const QStringList tokens = Tokens(statement);
    const qsizetype body = tokens.indexOf(QStringLiteral("("));
    if (body < 0)
        return {};
    QStringList definitions;
    return tokens.mid(TakeParenthesized(tokens, body, definitions) + 1).join(u' ').toUpper();
}

std::optional<NamedCollation> CollationBeyondTheEngines(const QString& statement, bool table)
{
    const QStringList tokens = Tokens(statement);
    int depth = 0;
    bool itemStarts = false;
    QString itemColumn; // the column a table's column definition defines
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const QString& token = tokens.at(i);
        if (itemStarts)
            itemColumn = table && !StartsTableConstraint(token) ? UnquotedToken(token) : QString();
        itemStarts = (token == u"(" && ++depth == 1) || (token == u"," && depth == 1);
        if (token == u")")
            --depth;
        if (!IsWord(token, QLatin1StringView("collate")) || i + 1 == tokens.size())
            continue;
        const QString collation = UnquotedToken(tokens.at(i + 1));
        if (!IsEnginesCollation(collation))
            return NamedCollation{itemColumn.isEmpty() && i > 0 ? UnquotedToken(tokens.at(i - 1)) : itemColumn,
                                  collation};
    }
    return std::nullopt;
}

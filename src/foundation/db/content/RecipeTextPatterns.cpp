#include "foundation/db/content/RecipeTextPatterns.h"

#include <QFile>
#include <QStringList>

namespace {

// The fields of one CSV line; false for an unterminated quote.
bool SplitCsvLine(const QString& line, QStringList& fields)
{
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (quoted && c == u'"' && i + 1 < line.size() && line.at(i + 1) == u'"') {
            field += c;
            ++i;
        } else if (c == u'"') {
            quoted = !quoted;
        } else if (c == u',' && !quoted) {
            fields << field;
            field.clear();
        } else {
            field += c;
        }
    }
    fields << field;
    return !quoted;
}

QString PatternKey(long operationTypeID, const QString& language)
{
    return QString::number(operationTypeID) + u'|' + language.toLower();
}

const QHash<QString, QString>& PatternsByKey()
{
    static const QHash<QString, QString> patterns = [] {
        QHash<QString, QString> byKey;
        for (const RecipeTextPatternRow& row : RecipeTextPatternRows())
            byKey.insert(PatternKey(row.operationTypeID, row.language), row.pattern);
        return byKey;
    }();
    return patterns;
}

} // namespace

QList<RecipeTextPatternRow> ParseRecipeTextPatterns(const QString& csvText, QString* errorText)
{
    QList<RecipeTextPatternRow> rows;
    const QStringList lines = csvText.split(u'\n');
    for (qsizetype number = 1; number < lines.size(); ++number) {
        const QString line = lines.at(number).trimmed();
        if (line.isEmpty())
            continue;
        QStringList fields;
        bool typeOk = false;
        RecipeTextPatternRow row;
        if (SplitCsvLine(line, fields) && fields.size() == 3)
            row = {fields.at(0).toLong(&typeOk), fields.at(1).trimmed(), fields.at(2)};
        if (!typeOk || row.language.isEmpty() || row.pattern.isEmpty()) {
            if (errorText)
                *errorText += QStringLiteral("line %1 is malformed\n").arg(number + 1);
            continue;
        }
        rows.append(row);
    }
    return rows;
}

const QList<RecipeTextPatternRow>& RecipeTextPatternRows()
{
    static const QList<RecipeTextPatternRow> rows = [] {
        QFile file(QStringLiteral(":/data/recipe-text-patterns.csv"));
        if (!file.open(QIODevice::ReadOnly))
            return QList<RecipeTextPatternRow>();
        return ParseRecipeTextPatterns(QString::fromUtf8(file.readAll()));
    }();
    return rows;
}

QString RecipeTextPattern(long operationTypeID, const QString& language)
{
    const QHash<QString, QString>& patterns = PatternsByKey();
    const QString own = patterns.value(PatternKey(operationTypeID, language));
    return own.isEmpty() ? patterns.value(PatternKey(operationTypeID, QLatin1String(DEFAULT_RECIPE_LANGUAGE)))
                         : own;
}

#include "shell/bridge/StandInRecipeText.h"

#include "foundation/common/AppContext.h"
#include "foundation/common/LanguageDatabaseService.h"
#include "foundation/db/BulkRows.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/project/OperationLibrarySet.h"
#include "foundation/db/project/ResultRoundingRules.h"
#include "foundation/db/project/TextRecipeOptionsSet.h"

#include <QSqlQuery>

#include <optional>

namespace {
constexpr double UNSET_NUMBER = 1e35;

// The step's statements are kept prepared by its connection: a text is built per operation.
const char* const OPERATION_SQL =
    "SELECT OperationTypeID, QuorvantaLabel FROM Operation WHERE OperationID = ?";
// Fields and ranges of an operation in group order, each with its field type's label.
const char* const FIELD_SQL =
    "SELECT COALESCE(l.FieldLabel, 'Field ' || f.FieldTypeID), f.DoubleValue, f.LongValue, f.UOM, f.StringValue"
    " FROM TblGroupData g JOIN TblFieldData f ON f.GroupID = g.GroupID"
    " LEFT JOIN TblFieldLibrary l ON l.FieldTypeID = f.FieldTypeID WHERE g.OperationID = ?"
    " ORDER BY g.SequenceNumber, g.GroupIndex, g.GroupID, f.SubGroupIndex, f.FieldID";
const char* const RANGE_SQL =
    "SELECT COALESCE(l.FieldLabel, 'Field ' || r.FieldTypeID), r.Low, r.LowUOM, r.High, r.HighUOM"
    " FROM TblGroupData g JOIN TblRangeData r ON r.GroupID = g.GroupID"
    " LEFT JOIN TblFieldLibrary l ON l.FieldTypeID = r.FieldTypeID WHERE g.OperationID = ?"
    " ORDER BY g.SequenceNumber, g.GroupIndex, g.GroupID, r.SubGroupIndex, r.RangeID";

// The word of that key in the open language database; the English word without one.
QString standInWord(const char* key, const char* english)
{
    if (CDaoDatabase* language = GetLanguageDatabase()) {
        QSqlQuery word = language->Query(QStringLiteral("SELECT WordText FROM RecipeTextWord WHERE WordKey = ?"),
                                         {QString::fromLatin1(key)});
        if (word.next())
            return word.value(0).toString();
    }
    return QString::fromLatin1(english);
}

bool standInOptionOn(const CTextRecipeOptionsSet& set, const char* option)
{
    return set.GetText(QStringLiteral("Options")).compare(QLatin1String(option), Qt::CaseInsensitive) == 0 &&
           !set.IsFieldNull(QStringLiteral("Value")) && set.GetLong(QStringLiteral("Value")) == 1;
}
} // namespace

bool CStandInRecipeText::Compose(long stepID, long operationID, QString& text)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step)
        return false;
    std::optional<long long> typeID;
    QString label;
    ExecKept(*step, QStringLiteral("Operation"), QString::fromLatin1(OPERATION_SQL), {qlonglong(operationID)},
             [&](KeptResult& operation) {
                 if (!operation.next())
                     return;
                 typeID = operation.value(0).toLongLong();
                 label = operation.value(1).toString();
             });
    if (!typeID)
        return false;
    LoadProjectData();
    text = TypeName(long(*typeID)) + ' ' + label;
    const QStringList fields = FieldPhrases(*step, operationID);
    text += (fields.isEmpty() ? QString() : QStringLiteral(": ") + fields.join(QStringLiteral(", "))) + '.';
    const QStringList ranges = m_ranges ? RangePhrases(*step, operationID) : QStringList();
    if (!ranges.isEmpty())
        text += (m_addSpace ? QStringLiteral("\n\n") : QStringLiteral("\n")) + m_rangesWord + QStringLiteral(": ") +
                ranges.join(QStringLiteral("; ")) + '.';
    return true;
}

void CStandInRecipeText::Reset()
{
    m_loaded = false;
    m_projectPath.clear();
    m_typeNames.clear();
}

void CStandInRecipeText::LoadProjectData()
{
    if (m_loaded && m_projectPath == GetProjectDBPath())
        return;
    Reset();
    m_loaded = true;
    m_projectPath = GetProjectDBPath();
    m_ranges = m_addSpace = false;
    COperationLibrarySet types;
    for (bool open = types.OpenSet(); open && !types.IsEOF(); types.MoveNext())
        m_typeNames.insert(types.GetLong(QStringLiteral("OperationTypeID")),
                           types.GetText(QStringLiteral("OperationTypeName")));
    CTextRecipeOptionsSet options;
    for (bool open = options.OpenSet(); open && !options.IsEOF(); options.MoveNext()) {
        m_ranges = m_ranges || standInOptionOn(options, "Ranges");
        m_addSpace = m_addSpace || standInOptionOn(options, "AddSpace");
    }
    m_rounding.Load();
    LoadWords();
}

void CStandInRecipeText::LoadWords()
{
    m_notSet = standInWord("Not Set", "not set");
    m_rangesWord = standInWord("Ranges", "Ranges");
    m_toWord = standInWord("To", "to");
}

QString CStandInRecipeText::Quantity(const QVariant& value, const QString& uom,
                                     const CResultRoundingRules& rounding) const
{
    if (value.isNull() || value.toDouble() >= UNSET_NUMBER)
        return m_notSet;
    const QString rounded = rounding.Format(value.toDouble());
    const QString number = rounded.isEmpty() ? QString::number(value.toDouble(), 'g', 6) : rounded;
    return uom.isEmpty() ? number : number + ' ' + uom;
}

QString CStandInRecipeText::FieldValue(const KeptResult& row) const
{
    if (row.value(1).toDouble() < UNSET_NUMBER)
        return Quantity(row.value(1), row.value(3).toString(), m_rounding);
    if (!row.value(2).isNull() && row.value(2).toLongLong() != -1)
        return Quantity(row.value(2), row.value(3).toString(), CResultRoundingRules());
    const QString text = row.value(4).toString();
    return text.isEmpty() ? m_notSet : text;
}

QString CStandInRecipeText::TypeName(long operationTypeID) const
{
    const QString name = m_typeNames.value(operationTypeID);
    return name.isEmpty() ? QStringLiteral("Operation type %1").arg(operationTypeID) : name;
}

QStringList CStandInRecipeText::FieldPhrases(CDaoDatabase& step, long operationID) const
{
    QStringList phrases;
    ExecKept(step, QStringLiteral("TblFieldData"), QString::fromLatin1(FIELD_SQL), {qlonglong(operationID)},
             [&](KeptResult& row) {
                 while (row.next())
                     phrases << row.value(0).toString() + ' ' + FieldValue(row);
             });
    return phrases;
}

QStringList CStandInRecipeText::RangePhrases(CDaoDatabase& step, long operationID) const
{
    QStringList phrases;
    ExecKept(step, QStringLiteral("TblRangeData"), QString::fromLatin1(RANGE_SQL), {qlonglong(operationID)},
             [&](KeptResult& row) {
                 while (row.next())
                     phrases << RangePhrase(row);
             });
    return phrases;
}

QString CStandInRecipeText::RangePhrase(const KeptResult& row) const
{
    return row.value(0).toString() + ' ' + Quantity(row.value(1), row.value(2).toString(), m_rounding) + ' ' +
           m_toWord + ' ' + Quantity(row.value(3), row.value(4).toString(), m_rounding);
}

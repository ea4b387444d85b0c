#include "foundation/db/content/RecipeTextComposer.h"

#include "foundation/common/UnitConversion.h"
#include "foundation/db/content/RecipeTextPatterns.h"

#include <QStringList>

namespace {

constexpr double TEXT_UNSET = 1e35;

// Values shown only with an option on; all others always.
struct GatedValue {
    const char* name;
    const char* option;
};
constexpr GatedValue GATED_VALUES[] = {{"Utility", "Utilities"},
                                       {"StreamCategory", "Separations"},
                                       {"Volume", "MeasuredValues"},
                                       {"EmissionPath", "VentCondenser"}};

bool IsTextValueShown(QStringView name, const RecipeTextSettings& settings)
{
    for (const GatedValue& gated : GATED_VALUES) {
        if (name.compare(QLatin1String(gated.name), Qt::CaseInsensitive) == 0)
            return settings.IsOn(gated.option);
    }
    return true;
}

// A field's name in patterns: its field type without a trailing "ID" ("MaterialID" -> "Material").
QStringView TextValueName(const RecipeTextField& field)
{
    QStringView name = field.fieldType;
    if (name.endsWith(QLatin1String("ID"), Qt::CaseInsensitive) && name.size() > 2)
        name.chop(2);
    return name;
}

// The names an id-valued field's item is looked up in; null for a field holding a quantity.
const QHash<long, QString>* NamesOf(QStringView valueName, const RecipeTextSettings& settings)
{
    const auto is = [&valueName](const char* name) {
        return valueName.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
    };
    if (is("Material") || is("Utility") || is("KeyComponent"))
        return &settings.materials;
    if (is("Reaction"))
        return &settings.reactionSets;
    if (is("StreamCategory"))
        return &settings.streamCategories;
    if (is("Labor"))
        return &settings.laborGrades;
    return nullptr;
}

QString UnitSpelling(const QString& uom)
{
    const int index = GetUnitIndex(uom.trimmed());
    return index < 0 ? uom.trimmed() : QString::fromLatin1(UnitTableRow(index).name);
}

QString TextQuantity(double value, const QString& uom, const CResultRoundingRules& rounding)
{
    if (value >= TEXT_UNSET)
        return QString();
    const QString rounded = rounding.Format(value);
    const QString number = rounded.isEmpty() ? QString::number(value, 'g', 6) : rounded;
    const QString unit = UnitSpelling(uom);
    return unit.isEmpty() ? number : number + u' ' + unit;
}

QString TextItemName(const QHash<long, QString>& names, const QVariant& id)
{
    return id.isNull() ? QString() : names.value(long(id.toLongLong()));
}

// The field's value as the text prints it; empty when it has none.
QString TextFieldValue(const RecipeTextField& field, const RecipeTextSettings& settings)
{
    if (const QHash<long, QString>* names = NamesOf(TextValueName(field), settings))
        return TextItemName(*names, field.longValue);
    if (field.number < TEXT_UNSET)
        return TextQuantity(field.number, field.uom, settings.rounding);
    if (!field.longValue.isNull() && field.longValue.toLongLong() != -1)
        return TextQuantity(double(field.longValue.toLongLong()), field.uom, CResultRoundingRules());
    return field.text.trimmed();
}

// The destination's tag, or the tags of a block's branches that have one: "A or B", "A, B and C".
QString TextDestination(const RecipeTextOperation& operation, const RecipeTextSettings& settings)
{
    if (operation.destinationIDs.isEmpty())
        return settings.equipment.value(operation.destinationID);
    QStringList tags;
    for (long equipmentID : operation.destinationIDs) {
        const QString tag = settings.equipment.value(equipmentID);
        if (!tag.isEmpty() && !tags.contains(tag))
            tags.append(tag);
    }
    if (tags.size() < 2)
        return tags.value(0);
    const QString last = tags.takeLast();
    const QString& word = operation.toAllDestinations ? settings.andWord : settings.orWord;
    return tags.join(QLatin1String(", ")) + u' ' + word + u' ' + last;
}

QString NamedValue(const QString& name, const RecipeTextOperation& operation,
                   const RecipeTextSettings& settings)
{
    if (!IsTextValueShown(name, settings))
        return QString();
    if (name.compare(QLatin1String("Equipment"), Qt::CaseInsensitive) == 0)
        return settings.equipment.value(operation.equipmentID);
    if (name.compare(QLatin1String("Destination"), Qt::CaseInsensitive) == 0)
        return operation.leavesStep ? QString() : TextDestination(operation, settings);
    if (name.compare(QLatin1String("Departure"), Qt::CaseInsensitive) == 0)
        return operation.leavesStep ? settings.outOfStepWord : QString();
    if (name.compare(QLatin1String("EmissionPath"), Qt::CaseInsensitive) == 0)
        return settings.emissionPaths.value({operation.plantID, operation.equipmentID});
    for (const RecipeTextField& field : operation.fields) {
        if (TextValueName(field).compare(QStringView(name), Qt::CaseInsensitive) != 0)
            continue;
        const QString value = TextFieldValue(field, settings);
        if (!value.isEmpty())
            return value;
    }
    return QString();
}

// Expands pattern from pos up to the end of the phrase it is in; false when a value directly in
// it was missing.
bool ExpandPhrase(const QString& pattern, qsizetype& pos, const std::function<QString(const QString&)>& value,
                  QString& out)
{
    bool complete = true;
    while (pos < pattern.size()) {
        const QChar c = pattern.at(pos++);
        const qsizetype close = c == u'{' ? pattern.indexOf(u'}', pos) : -1;
        if (c == u']') {
            return complete;
        } else if (c == u'[') {
            QString phrase;
            if (ExpandPhrase(pattern, pos, value, phrase))
                out += phrase;
        } else if (close > pos) {
            const QString text = value(pattern.mid(pos, close - pos));
            complete = complete && !text.isEmpty();
            out += text;
            pos = close + 1;
        } else {
            out += c;
        }
    }
    return complete;
}

QString TextCapitalized(QString text)
{
    if (!text.isEmpty())
        text[0] = text.at(0).toUpper();
    return text;
}

// The type's name, then the label unless it already starts with that name.
QString FallbackHead(const RecipeTextOperation& operation, const RecipeTextSettings& settings)
{
    QString type = settings.typeNames.value(operation.operationTypeID);
    if (type.isEmpty())
        type = QStringLiteral("Operation type %1").arg(operation.operationTypeID);
    const QString label = operation.label.trimmed();
    if (label.isEmpty() || label.compare(type, Qt::CaseInsensitive) == 0)
        return type;
    return label.startsWith(type, Qt::CaseInsensitive) ? label : type + u' ' + label;
}

QString FallbackText(const RecipeTextOperation& operation, const RecipeTextSettings& settings)
{
    QStringList phrases;
    for (const RecipeTextField& field : operation.fields) {
        const QString value =
            IsTextValueShown(TextValueName(field), settings) ? TextFieldValue(field, settings) : QString();
        if (!value.isEmpty())
            phrases << field.label + u' ' + value;
    }
    const QString head = FallbackHead(operation, settings);
    return phrases.isEmpty() ? head + u'.'
                             : head + QStringLiteral(": ") + phrases.join(QStringLiteral(", ")) + u'.';
}

QString RangePhrase(const RecipeTextRange& range, const RecipeTextSettings& settings)
{
    const QString low = TextQuantity(range.low, range.lowUOM, settings.rounding);
    const QString high = TextQuantity(range.high, range.highUOM, settings.rounding);
    QString phrase;
    if (!low.isEmpty() && !high.isEmpty())
        phrase = range.label + u' ' + low + u' ' + settings.toWord + u' ' + high;
    else if (!low.isEmpty() || !high.isEmpty())
        phrase = range.label + (low.isEmpty() ? QStringLiteral(" <= ") + high : QStringLiteral(" >= ") + low);
    if (!phrase.isEmpty() && settings.rangeTypes.size() > 1)
        phrase += QStringLiteral(" (%1)").arg(settings.rangeTypeNames.value(range.rangeTypeID));
    return phrase;
}

QString RangesLine(const RecipeTextOperation& operation, const RecipeTextSettings& settings)
{
    if (!settings.IsOn("Ranges"))
        return QString();
    QStringList phrases;
    for (const RecipeTextRange& range : operation.ranges) {
        const QString phrase =
            settings.rangeTypes.contains(range.rangeTypeID) ? RangePhrase(range, settings) : QString();
        if (!phrase.isEmpty())
            phrases << phrase;
    }
    return phrases.isEmpty()
               ? QString()
               : settings.rangesWord + QStringLiteral(": ") + phrases.join(QStringLiteral("; ")) + u'.';
}

} // namespace

QString ExpandRecipeTextPattern(const QString& pattern, const std::function<QString(const QString&)>& value)
{
    QString out;
    qsizetype pos = 0;
    ExpandPhrase(pattern, pos, value, out);
    return out;
}

QString ComposeRecipeText(const RecipeTextOperation& operation, const RecipeTextSettings& settings)
{
    const QString pattern = RecipeTextPattern(operation.operationTypeID, settings.language);
    const QString sentence = pattern.isEmpty()
                                 ? FallbackText(operation, settings)
                                 : TextCapitalized(ExpandRecipeTextPattern(pattern, [&](const QString& name) {
                                       return NamedValue(name, operation, settings);
                                   }));
    const QString ranges = RangesLine(operation, settings);
    if (ranges.isEmpty())
        return sentence;
    return sentence + (settings.IsOn("AddSpace") ? QStringLiteral("\n\n") : QStringLiteral("\n")) + ranges;
}

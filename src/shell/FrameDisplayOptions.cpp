#include "shell/FrameDisplayOptions.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/UnitConversion.h"
#include "foundation/db/project/MessageOptionsSet.h"
#include "foundation/db/project/QueryOperationDefaultSet.h"
#include "foundation/db/project/TextRecipeOptionsSet.h"

namespace {

const QString AMBIENT_PRESSURE = QStringLiteral("Ambient Pressure");

bool isOn(const CDaoRecordset& set)
{
    return !set.IsFieldNull("Value") && set.GetLong("Value") == 1;
}

void applyRecipeOption(const CDaoRecordset& set, DisplayOptions& options)
{
    const QString name = set.GetText("Options");
    auto is = [&](const char* option) {
        return name.compare(QLatin1String(option), Qt::CaseInsensitive) == 0;
    };
    if (is("Comments"))
        options.comments = isOn(set);
    else if (is("Ranges"))
        options.ranges = isOn(set);
    else if (is("AddSpace"))
        options.addSpace = isOn(set);
    else if (is("RangeTypeID") && !set.IsFieldNull("Value"))
        options.rangeTypeID = set.GetLong("Value");
}

void readRecipeOptions(DisplayOptions& options)
{
    CTextRecipeOptionsSet set;
    if (!set.OpenSet())
        return;
    for (; !set.IsEOF(); set.MoveNext())
        applyRecipeOption(set, options);
    set.CloseSet();
}

void readMessageOptions(DisplayOptions& options)
{
    CMessageOptionsSet set;
    if (!set.OpenSet())
        return;
    for (; !set.IsEOF(); set.MoveNext()) {
        if (set.GetText("Options").compare(QLatin1String("Warnings"), Qt::CaseInsensitive) == 0)
            options.warnings = isOn(set);
    }
    set.CloseSet();
}

} // namespace

DisplayOptions ReadFrameDisplayOptions()
{
    DisplayOptions options;
    readRecipeOptions(options);
    readMessageOptions(options);
    return options;
}

bool ReadAmbientPressure(double& internalValue)
{
    CQueryOperationDefaultSet set;
    if (!set.OpenSet()) {
        QvMessageBox(QStringLiteral("Can't open Operation Default table for update!"));
        return false;
    }
    bool found = false;
    for (; !set.IsEOF() && !found; set.MoveNext()) {
        if (set.GetText("DefaultName") == AMBIENT_PRESSURE) {
            internalValue =
                UserToInternal(set.GetText("CurrentValueUOM"), set.GetDouble("CurrentDefaultValue"), 1, 1);
            found = true;
        }
    }
    set.CloseSet();
    return found;
}

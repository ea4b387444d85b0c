#include "foundation/controls/UnitCombos.h"

#include "foundation/common/MessageBox.h"
#include "foundation/controls/CollationSort.h"
#include "foundation/controls/SortedChoiceLists.h"
#include "foundation/db/project/UOMSet.h"
#include "foundation/db/project/UnitsLibrarySet.h"

#include <QComboBox>
#include <optional>

namespace {

// The units of the quantity kind in library order; nothing when the library cannot be opened.
std::optional<QStringList> unitsOfQuantity(const QString& quantity)
{
    CUnitsLibrarySet set;
    if (!set.OpenSet(QString(), quantity))
        return std::nullopt;
    QStringList units;
    for (; !set.IsEOF(); set.MoveNext())
        units << set.Unit();
    return units;
}

} // namespace

bool FillUnitCombo(const QString& quantity, QComboBox* combo, const QString& secondFilter)
{
    const std::optional<QStringList> units = unitsOfQuantity(quantity);
    if (!units) {
        QvMessageBox(QStringLiteral("Can't open the Units Library table to initialize combo boxes!"));
        return false;
    }
    if (!combo)
        return true;
    for (const QString& unit : *units)
        if (secondFilter.isEmpty() || unit.contains(secondFilter, Qt::CaseInsensitive))
            combo->addItem(unit);
    SortComboBox(combo);
    return true;
}

bool FillUOMSetCombo(QComboBox* combo, long selectedID)
{
    CUOMSet sets;
    if (!combo || !sets.OpenSet())
        return false;
    combo->clear();
    for (; !sets.IsEOF(); sets.MoveNext())
        combo->addItem(sets.GetText(QStringLiteral("UOMSetName")),
                       qlonglong(sets.GetLong(QStringLiteral("UOMSetID"))));
    combo->setCurrentIndex(combo->findData(qlonglong(selectedID)));
    SortComboBox(combo);
    return true;
}

bool GetUnitChoiceList(const QString& quantity, QString& list)
{
    std::optional<QStringList> units = unitsOfQuantity(quantity);
    if (!units) {
        QvMessageBox(QStringLiteral("Can't open the Units Library table to set up UOM list!"));
        return false;
    }
    CollationSortTexts(*units);
    list = units->join(u'\n');
    return true;
}

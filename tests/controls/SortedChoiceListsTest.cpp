#include "foundation/controls/SortedChoiceLists.h"
#include "FakeFrameServices.h"
#include "foundation/controls/CollationSort.h"

#include <QComboBox>
#include <QListWidget>
#include <QLocale>
#include <gtest/gtest.h>

namespace {

TEST(SortedChoiceLists, SortChoiceListKeepsTheEmptyEntry)
{
    FakeFrameServices frame; // the installed frame sorts
    QString out;
    SortChoiceList(out, "\nYES\nNO");
    EXPECT_EQ(out, "\nNO\nYES");
    SortChoiceList(out, "");
    EXPECT_EQ(out, "");
}

TEST(SortedChoiceLists, ComboKeepsItsSelectedEntryAndItemData)
{
    FakeFrameServices frame;
    QComboBox combo;
    for (const char* name : {"delta", "Beta", "alpha", "charlie"})
        combo.addItem(name, 100 + combo.count());
    combo.setCurrentIndex(2); // "alpha", the third entry
    SortComboBox(&combo);
    EXPECT_EQ(frame.calls(), QStringList{"SortComboBoxItems"});
    EXPECT_EQ(combo.currentText(), "alpha");
    EXPECT_EQ(combo.currentIndex(), 0);
    QStringList entries;
    for (int i = 0; i < combo.count(); ++i)
        entries << combo.itemText(i) + '=' + combo.itemData(i).toString();
    EXPECT_EQ(entries, QStringList({"alpha=102", "Beta=101", "charlie=103", "delta=100"}));
    SortComboBox(nullptr);
    EXPECT_EQ(frame.calls().size(), 1);
}

// Both directions go to the frame's managed list of that name + "ListData"; anything unknown
// answers false and leaves the answer alone.
TEST(SortedChoiceLists, DisplayAndKeyValuesRoundTripThroughTheManagedList)
{
    QString out = "kept";
    EXPECT_FALSE(GetDisplayValue("Pressure", "psia", out)); // no main frame
    EXPECT_FALSE(GetKeyValue("Pressure", "psi (abs)", out));
    EXPECT_EQ(out, "kept");

    FakeFrameServices frame;
    frame.displayLists["PressureListData"] = {{"kPa", "kPa"}, {"psia", "psi (abs)"}};
    const struct {
        const char* list;
        const char* key;
        const char* display; // nullptr: unknown
    } cases[] = {
        {"Pressure", "psia", "psi (abs)"},
        {"Pressure", "kPa", "kPa"},
        {"Pressure", "furlong", nullptr},
        {"NoSuch", "psia", nullptr},
    };
    for (const auto& c : cases) {
        QString display = "kept", key = "kept";
        EXPECT_EQ(GetDisplayValue(c.list, c.key, display), c.display != nullptr) << c.key;
        EXPECT_EQ(display, c.display ? c.display : "kept");
        if (c.display) {
            EXPECT_TRUE(GetKeyValue(c.list, display, key));
            EXPECT_EQ(key, c.key);
        }
    }
    QString key = "kept";
    EXPECT_FALSE(GetKeyValue("Pressure", "psia", key)); // a key is not a display text
    EXPECT_EQ(key, "kept");
    EXPECT_EQ(frame.callsNamed("GetDisplayValue").first(), "GetDisplayValue PressureListData psia");
}

TEST(CollationSort, FollowsTheLanguageNotTheCodePoints)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QStringList texts{"Zucker", "Äther", "apfel", "Bar"};
    CollationSortTexts(texts);
    EXPECT_EQ(texts, QStringList({"apfel", "Äther", "Bar", "Zucker"}));
    QLocale::setDefault(previous);
}

TEST(CollationSort, ListWidgetKeepsSelectionAndData)
{
    QListWidget list;
    list.setSelectionMode(QAbstractItemView::MultiSelection);
    for (const char* name : {"c", "a", "b"}) {
        auto* item = new QListWidgetItem(name, &list);
        item->setData(Qt::UserRole, QString(name).toUpper());
    }
    list.item(0)->setSelected(true);                      // "c"
    list.setCurrentRow(2, QItemSelectionModel::NoUpdate); // "b"
    CollationSortListWidget(&list);
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.item(2)->text(), "c");
    EXPECT_TRUE(list.item(2)->isSelected());
    EXPECT_FALSE(list.item(0)->isSelected());
    EXPECT_EQ(list.item(0)->data(Qt::UserRole).toString(), "A");
    EXPECT_EQ(list.currentItem()->text(), "b");
}

} // namespace

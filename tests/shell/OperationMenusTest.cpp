// The insert-operation submenus of the Edit menu: titles, order and the commands in each.

#include "foundation/common/AutomationFlag.h"
#include "shell/MainFrame.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

TEST(OperationMenusTest, EditMenuKeepsItsInsertSubmenus)
{
    g_bAutomationActive = false;
    CMainFrame frame;
    QMenu* edit = frame.menu("&Edit");
    ASSERT_NE(edit, nullptr);
    QStringList titles;
    for (QAction* action : edit->actions()) {
        if (action->menu() && action->menu()->title().endsWith(" Operation"))
            titles << action->menu()->title();
    }
    EXPECT_EQ(titles, QStringList({"Insert &Batch Operation", "Insert C&hromatography Operation",
                                   "Insert &Continuous Operation", "Insert B&iotech Operation",
                                   "Insert S&econdary Operation"}));

    const struct {
        const char* path;
        std::vector<int> ids;
    } submenus[] = {
        {"Insert &Batch Operation/Operation A to D",
         {32892, 32893, 32895, 32901, 32905, 32906, 32907, 32908, 32909, 32916,
          33216, 33219, 33218, 33217, 33301, 33300, 33302, 33260, 33408, 33429}},
        {"Insert &Batch Operation/Operation E to L",
         {32896, 32902, 32903, 32910, 32911, 32912, 32917, 32918, 32919, 33065,
          33089, 33220, 33303, 33306, 33305, 33304, 33347, 33351, 33354, 33359}},
        {"Insert &Batch Operation/Operation M to Q",
         {32894, 32913, 32914, 32920, 32921, 32926, 33074, 33115, 33108, 33221, 33308, 33307, 33309, 33310,
          33311, 33430}},
        {"Insert &Batch Operation/Operation R to Z",
         {32898, 32900, 32904, 32915, 32922, 32923, 32924, 32925, 33069, 33088, 33095,
          33107, 33224, 33222, 33223, 33312, 33313, 33352, 33358, 33431, 33432, 33433}},
        {"Insert C&hromatography Operation", {32902, 32903, 32904, 33065, 33069, 33430, 33431}},
        {"Insert &Continuous Operation", {33053, 33052, 33051, 33054, 33055, 33096, 33228, 33289, 33314}},
        {"Insert B&iotech Operation", {33220, 33216, 33219, 33224, 33221, 33218, 33217, 33222, 33223, 33228}},
        {"Insert S&econdary Operation",
         {33308, 33307, 33312, 33300, 33313, 33309, 33303, 33302, 33306, 33260, 33305, 33304, 33347, 33354,
          33358, 33359}},
    };
    for (const auto& submenu : submenus) {
        QMenu* menu = frame.menu(QStringLiteral("&Edit/") + submenu.path);
        ASSERT_NE(menu, nullptr) << submenu.path;
        std::vector<int> ids;
        for (QAction* action : menu->actions()) {
            ids.push_back(action->data().toInt());
            EXPECT_EQ(frame.action(ids.back()), action) << ids.back();
        }
        EXPECT_EQ(ids, submenu.ids) << submenu.path;
    }
}

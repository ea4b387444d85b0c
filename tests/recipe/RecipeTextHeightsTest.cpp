// The kept heights of recipe texts against a fresh measure of each text at each width: a text that
// fits takes its unwrapped height, one that does not is wrapped, and a font keeps its own heights.

#include "recipe/view/RecipeTextHeights.h"
#include "recipe/view/RecipeButton.h"

#include <QApplication>
#include <QFontMetrics>
#include <gtest/gtest.h>

namespace {
int FreshHeight(const QFont& font, const QString& text, int width)
{
    return QFontMetrics(font).boundingRect(QRect(0, 0, width, 32767), RECIPE_TEXT_FLAGS, text).height();
}

const char* const TEXTS[] = {
    "Charge 101 kg to R-101.",
    "Heat R-101 to 80 C over 60 min.\nRanges: Temperature 55 C to 65 C.",
    "React in R-101\tat 60 C for 240 min, then cool the contents to 25 C before the transfer to R-102.",
    "Averyveryverylongwordthatcannotbreakanywhereatall",
    "",
};
} // namespace

TEST(RecipeTextHeights, MatchAFreshMeasureAtEveryWidth)
{
    QFont bold = QApplication::font();
    bold.setBold(true);
    CRecipeTextHeights heights;
    for (const QFont& font : {QApplication::font(), bold}) {
        for (const char* text : TEXTS) {
            const int unwrapped =
                QFontMetrics(font).boundingRect(QRect(0, 0, 32767, 32767), RECIPE_TEXT_FLAGS, text).width();
            // Twice each: the second answer comes from what was kept.
            for (int width : {20, 60, 150, unwrapped - 1, unwrapped, 700, 150, unwrapped - 1, 20}) {
                int lineHeight = 0;
                EXPECT_EQ(heights.Height(font, text, qMax(1, width), &lineHeight),
                          FreshHeight(font, text, qMax(1, width)))
                    << text << " at " << width;
                EXPECT_EQ(lineHeight, QFontMetrics(font).height());
            }
        }
    }
}

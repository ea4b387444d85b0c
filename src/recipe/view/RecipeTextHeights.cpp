#include "recipe/view/RecipeTextHeights.h"

#include "recipe/view/RecipeButton.h"

#include <QFontMetrics>

namespace {
constexpr int UNBOUNDED = 32767;
} // namespace

int CRecipeTextHeights::Height(const QFont& font, const QString& text, int width, int* lineHeight)
{
    FontTexts& fontTexts = textsOf(font);
    *lineHeight = fontTexts.lineHeight;
    QHash<QString, Measured>& texts = fontTexts.texts;
    auto it = texts.find(text);
    if (it == texts.end()) {
        const QRect unwrapped =
            QFontMetrics(font).boundingRect(QRect(0, 0, UNBOUNDED, UNBOUNDED), RECIPE_TEXT_FLAGS, text);
        it = texts.insert(text, {unwrapped.size(), {}});
    }
    // Word wrap breaks nothing in a text that fits: its lines are those of the unwrapped layout.
    if (width >= it->unwrapped.width())
        return it->unwrapped.height();
    auto wrapped = it->wrapped.constFind(width);
    if (wrapped != it->wrapped.cend())
        return *wrapped;
    const int height =
        QFontMetrics(font).boundingRect(QRect(0, 0, width, UNBOUNDED), RECIPE_TEXT_FLAGS, text).height();
    it->wrapped.insert(width, height);
    return height;
}

CRecipeTextHeights::FontTexts& CRecipeTextHeights::textsOf(const QFont& font)
{
    for (FontTexts& entry : m_fonts) {
        if (entry.font == font)
            return entry;
    }
    m_fonts.append({font, QFontMetrics(font).height(), {}});
    return m_fonts.last();
}

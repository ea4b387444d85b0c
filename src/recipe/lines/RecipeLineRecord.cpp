#include "recipe/lines/RecipeLineRecord.h"

#include <array>
#include <utility>

int RecipeLineKindOf(const QString& typeText)
{
    static const std::array<std::pair<const char*, int>, 7> kinds{{
        {"Unit Procedure", RECIPE_LINE_UNIT_PROCEDURE},
        {"Operation", RECIPE_LINE_OPERATION},
        {"Start Parallel", RECIPE_LINE_PARALLEL},
        {"End Parallel", RECIPE_LINE_PARALLEL},
        {"Start Or", RECIPE_LINE_OR},
        {"End Or", RECIPE_LINE_OR},
        {"Series", RECIPE_LINE_SERIES},
    }};
    for (const auto& [text, kind] : kinds) {
        if (typeText.compare(QLatin1String(text), Qt::CaseInsensitive) == 0)
            return kind;
    }
    return 0;
}

#include "preferences/hub/PreferencePages.h"

#include "foundation/common/MessageBox.h"

namespace {
enum PreferencePageButton { ROUTE_SELECTION_PAGE = 1008, MODEL_SELECTION_PAGE = 1047,
                            PHYSICAL_PROPERTY_PAGE = 1051, ROUNDING_PAGE = 1380 };
} // namespace

bool RunPreferencePage(int buttonID, QWidget* parent)
{
    switch (buttonID) {
    case MODEL_SELECTION_PAGE:
        return RunOperationModelPreferences(parent) == IDOK;
    case PHYSICAL_PROPERTY_PAGE:
        return RunPhysicalPropertyPreferences(parent) == IDOK;
    case ROUTE_SELECTION_PAGE:
        return RunRouteSelectionPreferences(parent) == IDOK;
    case ROUNDING_PAGE: {
        bool saved = false;
        RunResultsPreferences(parent, &saved);
        return saved;
    }
    default:
        return false;
    }
}

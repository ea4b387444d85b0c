#pragma once
// The icons of the Facility Explorer: facilities, and a pair (normal, selected) per equipment
// class id from a fixed table; a class the table lacks gets the default pair.

#include <QIcon>
#include <utility>

constexpr int FACILITY_ICON = 239;
constexpr int FACILITY_SELECTED_ICON = 245;

// The (normal, selected) icon resource ids of an equipment class.
std::pair<int, int> EquipmentClassIcons(long classID);
// How many class ids the table lists.
int EquipmentClassIconRows();
// The artwork of an icon resource id (cached).
QIcon FacilityIcon(int resourceID);

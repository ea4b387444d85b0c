#pragma once
// Steps of the generated Demo sample that the recipe tests open.

constexpr long COUPLING_STEP = 1001;

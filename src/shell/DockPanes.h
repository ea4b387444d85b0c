#pragma once
// The fixed names of the main frame's six docking panes.

#include "foundation/common/PaneID.h"

#include <QString>

QString PaneTitle(PaneID pane);
QString PaneObjectName(PaneID pane);

#pragma once
// Makes the Plan Explorer pane and installs what it offers the rest of the program: the Plan
// Explorer services and its part of the project hand-over. The caller places the pane.

#include <functional>

class CPlanList;
class QAction;
class ServiceInstallations;

// frameAction gives the frame's action of a command the frame handles.
CPlanList* InstallPlanExplorer(ServiceInstallations& installed, std::function<QAction*(int)> frameAction);

#pragma once
// Makes the Process Explorer pane and installs what it offers the rest of the program: the
// Process Explorer services and its part of the project hand-over. The caller places the pane.

#include <functional>

class CProcessTree;
class QAction;
class ServiceInstallations;

// frameAction gives the frame's action of a command the frame handles.
CProcessTree* InstallProcessExplorer(ServiceInstallations& installed,
                                     std::function<QAction*(int)> frameAction);

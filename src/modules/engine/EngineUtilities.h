#pragma once
// The module-wide list of available utilities (material ids) and what the host passed at project
// open. Shared by every engine object: the close clears it through a temporary object.

#include <QList>
#include <QString>

class AppContext;

struct EngineModuleState {
    QList<long> utilities;
    QString workingCopyDir;
    AppContext* application = nullptr;
};

EngineModuleState& EngineModule();
// The materials with property 469 of the open project's material database, by id; false when it
// cannot be read.
bool ReadAvailableUtilities(QList<long>& utilities);

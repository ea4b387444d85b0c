#pragma once
// What every fuzz entry runs in, set up once per process: an offscreen application with its
// settings and folders under a temporary root, prompts answered with their default button, file
// dialogs cancelled, and the database layer's flushes skipped (the targets read, they do not test
// durability).

#include <QString>

class RootedAppContext;

void SetUpFuzzEnvironment();
// A temporary root that lives as long as the process; each call of ScratchFolder empties and
// answers "<root>/scratch/<name>/".
QString FuzzRoot();
QString ScratchFolder(const QString& name);
RootedAppContext& FuzzAppContext();

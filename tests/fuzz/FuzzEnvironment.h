#pragma once
// What every fuzz entry runs in, set up once per process: an offscreen application with its
// settings and folders under a temporary root, prompts answered with their default button, file
// dialogs cancelled unless an answer is queued, and the database layer's flushes skipped (the
// targets read, they do not test durability).

#include <QString>
#include <QStringList>

class RootedAppContext;

void SetUpFuzzEnvironment();
// A temporary root that lives as long as the process; each call of ScratchFolder empties and
// answers "<root>/scratch/<name>/".
QString FuzzRoot();
QString ScratchFolder(const QString& name);
RootedAppContext& FuzzAppContext();
// The next file dialog chooses that path (the others are cancelled).
void AnswerNextFileDialog(const QString& path);
// What the prompts said since the last call, in order.
QStringList TakePromptTexts();

#pragma once
// Errors that escaped the code meant to handle them and reached a last guard: the command
// dispatcher, a timer of the frame or a scripting call. The guard reports each one and the program
// goes on. Each is also kept here, so that a test in which one escaped fails.

#include <QString>
#include <QStringList>

#include <functional>

// Inside a catch block: "<what>: <error text>" of the exception being handled ("<error text>"
// alone for an empty what); one that is no std::exception reads "unknown error".
QString EscapedErrorText(const QString& what);
// Keeps the text of an error a guard caught.
void NoteEscapedError(const QString& text);
// The texts kept since the last call, in order; the list is emptied.
QStringList TakeEscapedErrors();

// Runs work; an error escaping it is kept, shown once as "<what>: <error text>", and false is
// answered.
bool RunGuarded(const QString& what, const std::function<void()>& work);

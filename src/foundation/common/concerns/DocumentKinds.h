#pragma once
// The kinds of document window the program opens. A window is known by its kind and the id of
// what it shows (a step, a process, a plan), never by its place in a list.

#include <QString>
#include <QStringList>

enum class DocumentKind : int {
    ProjectRecipe = 0,
    Gantt = 1,
    Facility3D = 2,
    HtmlView = 3,
    Chemistry = 4,
    QuickResults = 5,
};

constexpr int DOCUMENT_KIND_COUNT = 6;

// The registered name of a kind ("Project Recipe Window", ...).
QString DocumentKindName(DocumentKind kind);
// Every kind's name in registration order.
QStringList DocumentKindNames();

#include "foundation/common/concerns/DocumentKinds.h"

namespace {
const char* const kKindNames[DOCUMENT_KIND_COUNT] = {
    "Project Recipe Window", "Gantt", "3-D Facility", "HTML Views", "Chemistry", "Quick Results"};
}

QString DocumentKindName(DocumentKind kind)
{
    return QString::fromLatin1(kKindNames[int(kind)]);
}

QStringList DocumentKindNames()
{
    QStringList names;
    for (const char* name : kKindNames)
        names << QString::fromLatin1(name);
    return names;
}

#include "foundation/common/ProjectHandover.h"

#include <QList>

namespace {
QList<ProjectHandover*>& participants()
{
    static QList<ProjectHandover*> list;
    return list;
}
} // namespace

void AddProjectHandover(ProjectHandover* participant)
{
    if (participant && !participants().contains(participant))
        participants().append(participant);
}

void RemoveProjectHandover(ProjectHandover* participant)
{
    participants().removeAll(participant);
}

void RunProjectHandover(void (ProjectHandover::*stage)())
{
    const QList<ProjectHandover*> list = participants(); // a stage may remove its participant
    for (ProjectHandover* participant : list)
        (participant->*stage)();
}

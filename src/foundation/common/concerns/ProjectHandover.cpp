#include "foundation/common/concerns/ProjectHandover.h"

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
    // A stage may add or remove participants, itself or others: the loop walks the list as it was
    // and skips whoever has left it since, so a removed (perhaps destroyed) one is never called.
    const QList<ProjectHandover*> list = participants();
    for (ProjectHandover* participant : list) {
        if (participants().contains(participant))
            (participant->*stage)();
    }
}

#include "projects/NetSelectHistory.h"

CNetSelectHistory& CNetSelectHistory::ProgramRun()
{
    static CNetSelectHistory history;
    return history;
}

#include "foundation/common/BusyGuard.h"

namespace {
int& busyCount()
{
    static int count = 0;
    return count;
}
} // namespace

CBusyScope::CBusyScope()
{
    ++busyCount();
}
CBusyScope::~CBusyScope()
{
    --busyCount();
}

bool IsBusy()
{
    return busyCount() > 0;
}

// libFuzzer's entry points for an executable holding one target.

#include "FuzzEnvironment.h"
#include "FuzzTarget.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    if (!FuzzTargetAt(0) || FuzzTargetAt(1)) {
        std::fprintf(stderr, "a fuzz executable holds exactly one target\n");
        std::abort();
    }
    SetUpFuzzEnvironment();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzTargetAt(0)->entry(data, size);
    return 0;
}

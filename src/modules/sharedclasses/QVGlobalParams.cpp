#include "modules/sharedclasses/QVGlobalParams.h"

#include <memory>

namespace {
std::unique_ptr<CQVGlobalParams>& globalParamsInstance()
{
    static std::unique_ptr<CQVGlobalParams> instance;
    return instance;
}
} // namespace

CQVGlobalParams* CQVGlobalParams::Instance()
{
    std::unique_ptr<CQVGlobalParams>& instance = globalParamsInstance();
    if (!instance)
        instance.reset(new CQVGlobalParams);
    return instance.get();
}

void CQVGlobalParams::Destroy()
{
    globalParamsInstance().reset();
}

#pragma once
// The main of the benchmarks that open whole projects: every step keeps its working copy open, so
// the open-file limit is raised as the program does; prompts answer unseen and are printed.

#include "foundation/common/MessageBox.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <sys/resource.h>

class ReportingAutomationPrompts : public AutomationPromptService {
public:
    int prompt(const QString& text, unsigned flags, const QString& caption) override
    {
        std::fprintf(stderr, "prompt: %s\n", qPrintable(text));
        return AutomationPromptService::prompt(text, flags, caption);
    }
};

inline void RaiseOpenFileLimit()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
}

// Runs the registered benchmarks inside an application object of type Application.
template <typename Application> int RunSessionBenchmarks(int argc, char** argv)
{
    RaiseOpenFileLimit();
    Application application(argc, argv);
    ReportingAutomationPrompts prompts;
    ScopedPromptService scoped(&prompts);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

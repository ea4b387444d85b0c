#pragma once
// The shared-classes module's part of a project close: its singletons are destroyed. Takes part
// in the hand-over stages from construction to destruction.

#include "foundation/common/concerns/ProjectHandover.h"

class CSharedClassesHandover : public ProjectHandover {
public:
    CSharedClassesHandover();
    ~CSharedClassesHandover() override;
    CSharedClassesHandover(const CSharedClassesHandover&) = delete;
    CSharedClassesHandover& operator=(const CSharedClassesHandover&) = delete;

    void DestroySharedSingletons() override;
};

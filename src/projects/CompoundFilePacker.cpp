#include "projects/CompoundFilePacker.h"

namespace {
CompoundFilePackerFactory& Factory()
{
    static CompoundFilePackerFactory factory;
    return factory;
}
} // namespace

CompoundFilePackerFactory SetCompoundFilePackerFactory(CompoundFilePackerFactory factory)
{
    CompoundFilePackerFactory previous = std::move(Factory());
    Factory() = std::move(factory);
    return previous;
}

std::unique_ptr<ICompoundFilePacker> CreateCompoundFilePacker()
{
    if (Factory())
        return Factory()();
    return std::make_unique<CUnavailablePacker>();
}

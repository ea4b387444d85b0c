#include "modules/packer/CompoundFilePacker.h"

#include "modules/packer/QvzPacker.h"

namespace {
CompoundFilePackerFactory& PackerFactorySlot()
{
    static CompoundFilePackerFactory factory;
    return factory;
}
} // namespace

CompoundFilePackerFactory SetCompoundFilePackerFactory(CompoundFilePackerFactory factory)
{
    CompoundFilePackerFactory previous = std::move(PackerFactorySlot());
    PackerFactorySlot() = std::move(factory);
    return previous;
}

std::unique_ptr<ICompoundFilePacker> CreateCompoundFilePacker()
{
    if (PackerFactorySlot())
        return PackerFactorySlot()();
    return std::make_unique<CQvzPacker>();
}

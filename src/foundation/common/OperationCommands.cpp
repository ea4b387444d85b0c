// The insert-operation command table (rows generated from data/operations.csv).

#include "foundation/common/OperationCommands.h"

#include <algorithm>

namespace {

constexpr OperationCommand OPERATION_COMMANDS[] = {
#include "foundation/common/OperationCommandRows.inc"
};

template <typename Matches> const OperationCommand* FindCommand(Matches matches)
{
    const auto found = std::find_if(std::begin(OPERATION_COMMANDS), std::end(OPERATION_COMMANDS), matches);
    return found == std::end(OPERATION_COMMANDS) ? nullptr : found;
}

} // namespace

std::span<const OperationCommand> OperationCommands()
{
    return OPERATION_COMMANDS;
}

const OperationCommand* FindOperationCommand(int commandID)
{
    return FindCommand([commandID](const OperationCommand& command) { return command.id == commandID; });
}

const OperationCommand* FindOperationCommandForType(long operationTypeID)
{
    return FindCommand([operationTypeID](const OperationCommand& command) {
        return command.operationTypeID == operationTypeID;
    });
}

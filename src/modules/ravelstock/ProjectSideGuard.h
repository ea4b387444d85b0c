#pragma once
// Guarded: database errors below the component leave it as the component's own error.

#include "foundation/db/connection/DaoException.h"
#include "modules/ravelstock/LibraryComponentError.h"

template <typename Call> auto Guarded(Call call) -> decltype(call())
{
    try {
        return call();
    } catch (const CDaoException& e) {
        throw CLibraryComponentError(e.GetErrorDescription());
    }
}

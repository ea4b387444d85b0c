#include "recipe/transitions/TransitionRecord.h"

#include "foundation/common/UniqueID.h"

#include <QSet>
#include <memory>

TransitionIdMaker FreshTransitionIds()
{
    auto used = std::make_shared<QSet<QString>>();
    return [used] {
        QString id = CreateGuidPrefix();
        for (int attempt = 0; used->contains(id) && attempt < 8; ++attempt)
            id = CreateGuidPrefix();
        used->insert(id);
        return id;
    };
}

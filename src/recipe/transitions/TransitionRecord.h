#pragma once
// One directed transition of one level of a recipe or process graph.

#include <QString>
#include <functional>

struct TransitionRecord {
    QString TransitionID; // 8 upper-case hexadecimal digits; blocks share one where they must
    long FromID = 0;
    long ToID = 0;
    long OwnerID = 0; // step (unit-procedure level), unit procedure (operation level) or process
    QString TransitionType;

    bool operator==(const TransitionRecord&) const = default;
};

// Hands out the TransitionID of each new transition.
using TransitionIdMaker = std::function<QString()>;

// Fresh GUID prefixes, none handed out twice by one maker.
TransitionIdMaker FreshTransitionIds();

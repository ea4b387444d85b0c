#pragma once
// The message-visibility concern answered by the error-message module's filter.

#include "foundation/common/concerns/SubsystemConcerns.h"

class CErrMsgVisibility : public MessageVisibility {
public:
    bool isMessageVisible(long messageID) const override;
};

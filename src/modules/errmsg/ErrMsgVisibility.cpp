#include "modules/errmsg/ErrMsgVisibility.h"

#include "modules/errmsg/ErrMsgEntry.h"

bool CErrMsgVisibility::isMessageVisible(long messageID) const
{
    return CErrMsgEntry::isMessageVisible(messageID);
}

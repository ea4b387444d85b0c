#include "modules/errmsg/ErrMsgEntry.h"

#include "modules/errmsg/MessageCatalogue.h"

long CErrMsgEntry::getMaxMessage() const
{
    return CMessageCatalogue::Instance().MaxMessageID() + 1;
}

void CErrMsgEntry::getErrorMessage(long messageID, QString& text, QString& type) const
{
    const MessageRecord* message = CMessageCatalogue::Instance().Find(messageID);
    text = message ? message->text : QString();
    type = message ? message->type : QString();
}

void CErrMsgEntry::setDisplayNotes(bool display) { CMessageCatalogue::Instance().Filter().notes = display; }

void CErrMsgEntry::setDisplayDefaults(bool display)
{
    CMessageCatalogue::Instance().Filter().defaults = display;
}

void CErrMsgEntry::setDisplayWarnings(bool display)
{
    CMessageCatalogue::Instance().Filter().warnings = display;
}

void CErrMsgEntry::setDisplayOperational(bool display)
{
    CMessageCatalogue::Instance().Filter().operational = display;
}

void CErrMsgEntry::setDisplayEnvironmental(bool display)
{
    CMessageCatalogue::Instance().Filter().environmental = display;
}

void CErrMsgEntry::setMaxWarningLevel(long level)
{
    CMessageCatalogue::Instance().Filter().maxWarningLevel = level;
}

bool CErrMsgEntry::isMessageVisible(long messageID)
{
    return CMessageCatalogue::Instance().IsVisible(messageID);
}

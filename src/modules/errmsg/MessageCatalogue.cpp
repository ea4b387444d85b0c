#include "modules/errmsg/MessageCatalogue.h"

#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"

#include <QSqlQuery>

CMessageCatalogue& CMessageCatalogue::Instance()
{
    static CMessageCatalogue catalogue;
    return catalogue;
}

bool CMessageCatalogue::Load(CDaoDatabase& projectDatabase)
{
    m_messages.clear();
    try {
        QSqlQuery query = projectDatabase.Query(
            QStringLiteral("SELECT MessageID, MessageType, MessageText, Level, Source FROM TblMessageLibrary"));
        while (query.next())
            m_messages.insert(long(query.value(0).toLongLong()),
                              {query.value(1).toString(), query.value(2).toString(),
                               long(query.value(3).toLongLong()), long(query.value(4).toLongLong())});
        return true;
    } catch (const CDaoException&) {
        m_messages.clear();
        return false;
    }
}

void CMessageCatalogue::Clear()
{
    m_messages.clear();
    m_filter = MessageFilter();
    m_hidden.clear();
    m_filtering = false;
}

const MessageRecord* CMessageCatalogue::Find(long messageID) const
{
    const auto it = m_messages.constFind(messageID);
    return it == m_messages.constEnd() ? nullptr : &it.value();
}

long CMessageCatalogue::MaxMessageID() const
{
    long highest = FIRST_MESSAGE_ID - 1;
    for (auto it = m_messages.constBegin(); it != m_messages.constEnd(); ++it)
        highest = std::max(highest, it.key());
    return highest;
}

MessageFilter& CMessageCatalogue::Filter()
{
    m_filtering = true;
    return m_filter;
}

bool CMessageCatalogue::IsSourceAllowed(long source) const
{
    return (source == SOURCE_OPERATIONAL && m_filter.operational) ||
           (source == SOURCE_ENVIRONMENTAL && m_filter.environmental);
}

bool CMessageCatalogue::IsVisible(long messageID) const
{
    const MessageRecord* message = Find(messageID);
    if (!m_filtering || !message)
        return true;
    if (m_hidden.contains(messageID))
        return false;
    const auto is = [message](const char* type) {
        return message->type.compare(QLatin1String(type), Qt::CaseInsensitive) == 0;
    };
    if (is("Error"))
        return true;
    if (!IsSourceAllowed(message->source))
        return false;
    if (is("Warning"))
        return m_filter.warnings && message->level <= m_filter.maxWarningLevel;
    if (is("Note"))
        return m_filter.notes;
    return is("Default") && m_filter.defaults;
}

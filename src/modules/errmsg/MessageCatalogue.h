#pragma once
// The process-wide state of the error-message module: the open project's message catalogue (its
// [TblMessageLibrary], in memory), the display filter and the hidden ids. Which remark the user
// sees follows from these three alone.

#include <QHash>
#include <QSet>
#include <QString>

class CDaoDatabase;

constexpr long FIRST_MESSAGE_ID = 10000001;
constexpr long NO_WARNING_LEVEL_LIMIT = 99999999;

enum MessageSource : long { SOURCE_OPERATIONAL = 1, SOURCE_ENVIRONMENTAL = 2 };

struct MessageRecord {
    QString type; // "Error", "Warning", "Note" or "Default"
    QString text;
    long level = 1;
    long source = SOURCE_OPERATIONAL;
};

struct MessageFilter {
    bool notes = false;
    bool defaults = false;
    bool warnings = false;
    bool operational = true;
    bool environmental = true;
    long maxWarningLevel = NO_WARNING_LEVEL_LIMIT;
};

class CMessageCatalogue {
public:
    static CMessageCatalogue& Instance();

    // Reads [TblMessageLibrary]; false (and an empty catalogue) when it cannot be read.
    bool Load(CDaoDatabase& projectDatabase);
    void Clear(); // catalogue, filter and hidden ids: every message visible again
    bool IsFiltering() const { return m_filtering; }

    const MessageRecord* Find(long messageID) const;
    long MaxMessageID() const; // the highest id, at least FIRST_MESSAGE_ID - 1

    MessageFilter& Filter();
    const MessageFilter& CurrentFilter() const { return m_filter; }
    void SetHiddenIDs(const QSet<long>& ids) { m_hidden = ids; }
    const QSet<long>& HiddenIDs() const { return m_hidden; }

    bool IsVisible(long messageID) const;

private:
    bool IsSourceAllowed(long source) const;

    QHash<long, MessageRecord> m_messages;
    MessageFilter m_filter;
    QSet<long> m_hidden;
    bool m_filtering = false;
};

#pragma once
// Stand-in of the error-message module's entry: the messages of the open project's catalogue and
// the display filter. The filter outlives the entry (it is process-wide) and decides which remark
// ids are visible.

#include <QString>

class CErrMsgEntry {
public:
    // One above the highest message id, at least FIRST_MESSAGE_ID: the tabs visit the ids below it.
    long getMaxMessage() const;
    // Empty text and type for an id the catalogue lacks.
    void getErrorMessage(long messageID, QString& text, QString& type) const;

    void setDisplayNotes(bool display);
    void setDisplayDefaults(bool display);
    void setDisplayWarnings(bool display);
    void setDisplayOperational(bool display);
    void setDisplayEnvironmental(bool display);
    void setMaxWarningLevel(long level);

    static bool isMessageVisible(long messageID);
};

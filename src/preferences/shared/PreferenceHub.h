#pragma once
// The preference dialogs that the hub's buttons open on behalf of other parts of the program:
// each part that builds one sets its entry (the composition does), keyed by the button id. A
// button without an entry stays disabled. An entry runs its dialog modally and answers whether
// it closed with OK.

#include <QHash>

#include <functional>

class QWidget;

class PreferenceHub {
public:
    using Entry = std::function<bool(QWidget* parent)>;

    // The buttons that are filled through this table.
    static constexpr int ENTRY_BUTTONS[] = {1048, 1375, 1050, 1373, 1374, 1379, 1049, 1372, 1378};

    static void setEntry(int buttonID, Entry entry); // an empty entry removes it
    static bool hasEntry(int buttonID);
    // False without an entry.
    static bool runEntry(int buttonID, QWidget* parent);

private:
    static QHash<int, Entry>& entries();
};

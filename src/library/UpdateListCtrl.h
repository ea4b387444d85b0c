#pragma once
// The list of the update dialog: one row per out-of-date library item with its name, its two
// time stamps and whether it will be updated. Activating a row flips its mark.

#include <QTableWidget>

#include <optional>

class CUpdateListCtrl : public QTableWidget {
    Q_OBJECT
public:
    // One row as the dialog keeps it.
    struct tagUpdateValues {
        QString kind; // what the caller passed when filling; not shown
        QString localName;
        long localID = 0;
        long serverID = 0;
        QString serverName;
        std::optional<double> localStamp; // OLE dates; none = no stamp
        std::optional<double> serverStamp;
        bool update = false;
    };

    enum Column { NAME_COLUMN, LOCAL_STAMP_COLUMN, SERVER_STAMP_COLUMN, UPDATE_COLUMN };

    explicit CUpdateListCtrl(QWidget* parent = nullptr);

    // The four centred columns, grid lines and whole-row selection.
    void InitColumns();
    void AddRow(const tagUpdateValues& values);
    void SetAllMarks(bool mark);
    // False for a row outside the list.
    bool GetMark(int row) const;
    void ToggleMark(int row);

    // A stamp as a row shows it: no text for a missing stamp, "Invalid DateTime" for one that is
    // no date, else the time and date without a time zone.
    static QString StampText(std::optional<double> oleDate);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SetMark(int row, bool mark);
};

#pragma once
// The grid of the operation defaults. A value's temperature and pressure rules are checked
// against the key of the unit shown beside it (the display text "°C" means the unit "C"), looked
// up in the managed list of the row; a text the list lacks is taken as the key itself. A value
// with a unit must be a number that stays storable once converted to internal units.

#include "foundation/controls/ObjectGridWnd.h"

#include <QHash>

class COPDefaultsGrid : public CObjectGridWnd {
    Q_OBJECT
public:
    explicit COPDefaultsGrid(QWidget* parent = nullptr) : CObjectGridWnd(parent) {}

    // The managed list whose display texts the row's unit column shows ("" for none).
    void SetUnitList(int row, const QString& listName) { m_unitLists[row] = listName; }
    void ClearUnitLists() { m_unitLists.clear(); }
    bool IsCellEnabled(int row, int col) const;
    // The checks an edit of that cell gets; *warning holds the message of a refusal.
    bool ValidateText(int row, int col, const QString& text, QString* warning)
    {
        return OnValidateCell(row, col, text, warning);
    }

protected:
    bool OnValidateCell(int row, int col, const QString& text, QString* warning) override;

private:
    QHash<int, QString> m_unitLists;
};

// The key of a display text of the managed list listName + "ListData"; the text itself when the
// list (or a list at all) lacks it.
QString KeyOfDisplayText(const QString& listName, const QString& text);
// The display text of a key in that list; the key itself when the list lacks it.
QString DisplayTextOfKey(const QString& listName, const QString& key);

#include "foundation/controls/ObjectGridWndSort.h"

#include "foundation/common/ParseDouble.h"

#include <QCollator>
#include <QHeaderView>
#include <algorithm>

namespace {

struct SortKey {
    bool numeric = false;
    double number = 0;
    QString text;
};

SortKey MakeKey(const QString& text)
{
    SortKey key;
    key.text = text;
    key.numeric = !text.trimmed().isEmpty() && ParseDouble(text, &key.number, false);
    return key;
}

bool KeyLess(const SortKey& a, const SortKey& b, const QCollator& collator)
{
    if (a.numeric != b.numeric)
        return a.numeric;
    if (a.numeric)
        return a.number < b.number;
    return collator.compare(a.text, b.text) < 0;
}

} // namespace

CObjectGridWndSort::CObjectGridWndSort(QWidget* parent) : CObjectGridWnd(parent)
{
    connect(horizontalHeader(), &QHeaderView::sectionDoubleClicked, this,
            &CObjectGridWndSort::OnTitleDoubleClicked);
}

void CObjectGridWndSort::OnTitleDoubleClicked(int section)
{
    const int col = section + 1;
    m_ascending = col == m_sortedColumn ? !m_ascending : true;
    m_sortedColumn = col;
    SortByColumn(col, m_ascending);
}

void CObjectGridWndSort::SortByColumn(int col, bool ascending)
{
    if (col < 1 || col > columnCount() || !UpdateData(true))
        return;
    struct Row {
        SortKey key;
        QList<QTableWidgetItem*> items;
    };
    std::vector<Row> rows;
    for (int r = 0; r < rowCount(); ++r) {
        Row row{MakeKey(GetValueRowCol(r + 1, col)), {}};
        for (int c = 0; c < columnCount(); ++c)
            row.items.append(takeItem(r, c));
        rows.push_back(std::move(row));
    }
    QCollator collator;
    std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
        return ascending ? KeyLess(a.key, b.key, collator) : KeyLess(b.key, a.key, collator);
    });
    for (int r = 0; r < int(rows.size()); ++r)
        for (int c = 0; c < columnCount(); ++c)
            setItem(r, c, rows[r].items[c]);
}

// The grid's per-cell item data and its text exchange (copy to a file, paste).

#include "foundation/common/NewFile.h"
#include "foundation/controls/GridCellRoles.h"
#include "foundation/controls/ObjectGridWnd.h"

#include <QStringEncoder>

void CObjectGridWnd::SetValueWithItemData(int row, int col, const QString& value, qint64 itemData)
{
    SetValueRowCol(row, col, value);
    if (QTableWidgetItem* cell = row > 0 && col > 0 ? item(row - 1, col - 1) : nullptr)
        cell->setData(ROLE_CELL_ITEMDATA, itemData);
}

qint64 CObjectGridWnd::GetStoredItemData(int row, int col) const
{
    const QTableWidgetItem* cell = row > 0 && col > 0 ? item(row - 1, col - 1) : nullptr;
    const QVariant data = cell ? cell->data(ROLE_CELL_ITEMDATA) : QVariant();
    return data.isValid() ? data.toLongLong() : -1;
}

void CObjectGridWnd::StoreEditedChoice(int row, int col, const QString& text, const QVariant& itemData)
{
    if (IsCellReadOnly(row, col))
        return;
    if (itemData.isValid())
        SetValueWithItemData(row, col, text, itemData.toLongLong());
    else
        StoreEditedValue(row, col, text);
}

QString CObjectGridWnd::CopyRangeText(const CGridRange& range) const
{
    QString text;
    for (int r = range.top; r <= range.bottom; ++r) {
        for (int c = range.left; c <= range.right; ++c) {
            if (c > range.left)
                text += u'\t';
            text += GetValueRowCol(r, c);
        }
        text += QLatin1String("\r\n");
    }
    return text;
}

bool CObjectGridWnd::CopyTextToFile(const CGridRange& range, const QString& path) const
{
    QStringEncoder toUtf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    return ReplaceWithNewFile(path, toUtf16.encode(CopyRangeText(range)), nullptr);
}

void CObjectGridWnd::PasteText(int row, int col, const QString& text)
{
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the text ended its last row
    if (row < 1 || col < 1 || lines.isEmpty())
        return;
    if (row + lines.size() - 1 > GetRowCount())
        SetRowCount(int(row + lines.size() - 1));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QStringList cells = line.split(u'\t');
        for (qsizetype j = 0; j < cells.size() && col + j <= GetColCount(); ++j) {
            if (!IsCellReadOnly(int(row + i), int(col + j)))
                SetValueRowCol(int(row + i), int(col + j), cells.at(j));
        }
    }
}

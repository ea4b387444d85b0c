#include "foundation/controls/MyGXComboBox.h"

CMyGXComboBox::CMyGXComboBox(QWidget* parent) : QComboBox(parent)
{
    hide();
}

int CMyGXComboBox::AddString(const QString& text)
{
    addItem(text);
    return count() - 1;
}

void CMyGXComboBox::SetItemData(int index, qint64 data)
{
    setItemData(index, data);
}

qint64 CMyGXComboBox::GetItemData(int index) const
{
    return itemData(index).toLongLong();
}

int CMyGXComboBox::FindStringExact(const QString& text) const
{
    return findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive);
}

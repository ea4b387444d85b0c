#include "foundation/controls/SortedChoiceLists.h"

#include "foundation/common/concerns/FrameServices.h"

#include <QComboBox>

void SortComboBox(QComboBox* combo)
{
    SortServices* frame = GetSortServices();
    if (frame && combo)
        frame->SortComboBoxItems(combo);
}

QString JoinStringList(QStringList& texts)
{
    SortServices* frame = GetSortServices();
    if (frame && texts.size() >= 2)
        frame->SortTexts(texts);
    return texts.join(u'\n');
}

void SortChoiceList(QString& out, const QString& list)
{
    QStringList texts = list.split(u'\n');
    out = JoinStringList(texts);
}

void GetDisplayChoiceList(const QString& listName, QString& out)
{
    SortServices* frame = GetSortServices();
    if (!frame)
        return;
    QStringList texts = frame->GetDisplayVector(listName + QStringLiteral("ListData"));
    out = JoinStringList(texts);
}

bool GetDisplayValue(const QString& listName, const QString& key, QString& out)
{
    SortServices* frame = GetSortServices();
    return frame && frame->GetDisplayValue(listName + QStringLiteral("ListData"), key, out);
}

bool GetKeyValue(const QString& listName, const QString& displayText, QString& out)
{
    SortServices* frame = GetSortServices();
    return frame && frame->GetKeyValue(listName + QStringLiteral("ListData"), displayText, out);
}

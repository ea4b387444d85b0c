#include "foundation/controls/SortedChoiceLists.h"

#include "foundation/common/FrameServices.h"

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

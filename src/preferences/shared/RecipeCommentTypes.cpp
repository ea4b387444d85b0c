#include "preferences/shared/RecipeCommentTypes.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/DisplayOptions.h"
#include "foundation/db/project/CommentTypeSet.h"
#include "foundation/db/project/TextRecipeOptionsSet.h"

#include <QHash>

namespace {
Array<long> StoredCommentTypes()
{
    Array<long> ids;
    CTextRecipeOptionsSet set;
    if (!set.OpenSet())
        return ids;
    for (; !set.IsEOF(); set.MoveNext())
        if (set.GetText("Options").compare(QLatin1String("CommentTypeID"), Qt::CaseInsensitive) == 0 &&
            !set.IsFieldNull("Value"))
            ids.Add(set.GetLong("Value"));
    set.CloseSet();
    return ids;
}

// Every comment type's name by id; false when the library cannot be read.
bool ReadCommentLibrary(QHash<long, QString>& names)
{
    CCommentTypeSet set;
    if (!set.OpenSet()) {
        QvMessageBox(QStringLiteral("Can't open the Comment Libary table!"));
        return false;
    }
    for (; !set.IsEOF(); set.MoveNext())
        if (!names.contains(set.GetLong("CommentTypeID")))
            names.insert(set.GetLong("CommentTypeID"), set.GetText("Description"));
    set.CloseSet();
    return true;
}
} // namespace

void LoadRecipeCommentTypes(Array<long> ids)
{
    DisplayOptions options = CurrentDisplayOptions();
    options.commentTypeIDs.clear();
    options.commentTypeDescriptions.clear();
    if (ids.IsEmpty())
        ids = StoredCommentTypes();
    QHash<long, QString> names;
    if (!ids.IsEmpty() && ReadCommentLibrary(names)) {
        for (long id : ids) {
            if (!names.contains(id))
                continue;
            options.commentTypeIDs.append(id);
            options.commentTypeDescriptions.append(names.value(id));
        }
    }
    SetCurrentDisplayOptions(options);
}

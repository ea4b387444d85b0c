#include "recipe/lines/OperationComment.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/DisplayOptions.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "modules/qvdataio/InterfaceOperation.h"

#include <QSqlQuery>

namespace {
// True when an operation of the step has that id too, so that comments kept by id are not its own.
bool IsAlsoAnOperationID(long stepID, long itemID)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    return !step || step->Query(QStringLiteral("SELECT 1 FROM Operation WHERE OperationID = ?"), {qlonglong(itemID)})
                        .next();
}
} // namespace

QString GetOperationComment(long stepID, long operationID, long commentTypeID)
{
    QString comment;
    CInterfaceOperation operations;
    if (!operations.getOperationComment(stepID, operationID, CInterfaceOperation::COMMENT_TEXT, commentTypeID, comment))
        comment.clear();
    return comment;
}

QString GetUnitProcedureComment(long stepID, long unitProcedureID, const QString& ownComment)
{
    QStringList lines;
    if (!ownComment.isEmpty())
        lines << ownComment;
    const DisplayOptions options = CurrentDisplayOptions();
    if (!options.commentTypeIDs.isEmpty() && !IsAlsoAnOperationID(stepID, unitProcedureID)) {
        for (qsizetype i = 0; i < options.commentTypeIDs.size(); ++i) {
            const QString typed = GetOperationComment(stepID, unitProcedureID, options.commentTypeIDs.at(i));
            if (!typed.isEmpty())
                lines << options.commentTypeDescriptions.value(i) + QStringLiteral(": ") + typed;
        }
    }
    return lines.join(QLatin1Char('\n'));
}

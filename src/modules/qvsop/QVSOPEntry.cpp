#include "modules/qvsop/QVSOPEntry.h"

#include "foundation/common/AppContext.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DaoException.h"

#include <QFile>
#include <QHash>
#include <QList>
#include <QSqlQuery>

// Resources of a static library are registered by hand, outside any namespace.
static void InitStatementResources()
{
    Q_INIT_RESOURCE(foundation);
}

namespace {
struct StatementRule {
    QString keyword;
    QString name;
};
using StatementRules = QHash<long, QList<StatementRule>>; // by operation type, in file order

StatementRules ReadStatementRules()
{
    InitStatementResources();
    StatementRules rules;
    QFile file(QStringLiteral(":/data/standard-statements.csv"));
    if (!file.open(QIODevice::ReadOnly))
        return rules;
    file.readLine(); // the heading
    while (!file.atEnd()) {
        const QStringList fields = QString::fromUtf8(file.readLine()).trimmed().split(u',');
        bool typeOk = false;
        const long typeID = fields.value(0).toLong(&typeOk);
        if (fields.size() == 3 && typeOk)
            rules[typeID].append({fields.at(1).trimmed(), fields.at(2).trimmed()});
    }
    return rules;
}

const StatementRules& Rules()
{
    static const StatementRules rules = ReadStatementRules();
    return rules;
}

QString StatementFor(long operationTypeID, const QString& recipeText)
{
    for (const StatementRule& rule : Rules().value(operationTypeID)) {
        if (recipeText.contains(rule.keyword, Qt::CaseInsensitive))
            return rule.name;
    }
    return QString();
}
} // namespace

bool QVSOPEntry::getStandardStatement(long stepID, long itemID, QString& name)
{
    name.clear();
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step)
        return false;
    if (itemID <= 0)
        return true;
    try {
        QSqlQuery operation = step->Query(
            QStringLiteral("SELECT OperationTypeID, RecipeText FROM Operation WHERE OperationID = ?"),
            {qlonglong(itemID)});
        if (operation.next())
            name = StatementFor(long(operation.value(0).toLongLong()), operation.value(1).toString());
        return true;
    } catch (const CDaoException&) {
        return false;
    }
}

bool GetStandardStatement(long stepID, long itemID, QString& name)
{
    QVSOPEntry* module = ServiceSlot<QVSOPEntry>::Get();
    if (!module) {
        name.clear();
        return false;
    }
    return module->getStandardStatement(stepID, itemID, name);
}

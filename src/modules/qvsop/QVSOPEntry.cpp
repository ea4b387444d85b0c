#include "modules/qvsop/QVSOPEntry.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/SharedConnection.h"

#include <QFile>
#include <QHash>
#include <QList>
#include <QSqlDriver>
#include <QSqlQuery>

#include <sqlite3.h>

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

// Rows changed on the connection since it opened; -1 when the engine cannot tell.
qint64 TotalRowChanges(const QSqlDatabase& database)
{
    const QVariant handle = database.driver() ? database.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return -1;
    sqlite3* engine = *static_cast<sqlite3* const*>(handle.constData());
    return engine ? qint64(sqlite3_total_changes64(engine)) : -1;
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
    const StepStatements* statements = statementsOf(stepID);
    if (!statements)
        return false;
    if (itemID > 0)
        name = statements->byOperation.value(itemID);
    return true;
}

// The step's statements as its database holds them now; null when it cannot be read.
const QVSOPEntry::StepStatements* QVSOPEntry::statementsOf(long stepID)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step || !step->IsOpen())
        return nullptr;
    CSharedConnection& connection = step->Connection();
    const qint64 totalChanges = TotalRowChanges(connection.database());
    const auto kept = m_steps.constFind(stepID);
    if (kept != m_steps.cend() && kept->connection.lock().get() == &connection && totalChanges >= 0 &&
        kept->totalChanges == totalChanges)
        return &kept.value();
    StepStatements statements{CSharedConnection::find(connection.path()), totalChanges, {}};
    try {
        QSqlQuery operations =
            step->Query(QStringLiteral("SELECT OperationID, OperationTypeID, RecipeText FROM Operation"));
        while (operations.next()) {
            const QString name =
                StatementFor(long(operations.value(1).toLongLong()), operations.value(2).toString());
            if (!name.isEmpty())
                statements.byOperation.insert(long(operations.value(0).toLongLong()), name);
        }
    } catch (const CDaoException&) {
        m_steps.remove(stepID);
        return nullptr;
    }
    return &(m_steps[stepID] = std::move(statements));
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

const char* const OPERATING_INSTRUCTIONS_UNAVAILABLE =
    "The operating instruction preferences are not available on this platform.";

void QVSOPEntry::preferOperatingInstructions()
{
    QvMessageBox(QString::fromLatin1(OPERATING_INSTRUCTIONS_UNAVAILABLE), MB_OK | MB_ICONINFORMATION);
}

#include "ProcessTreeEditFixture.h"

#include "foundation/db/connection/DaoDatabase.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QTreeWidget>

void EditRecorder::SetCurrentStep(long stepID)
{
    currentStep = stepID;
    calls << QStringLiteral("current %1").arg(stepID);
}

bool EditRecorder::DeleteItemInRecipeView(long stepID, long itemID, int itemType)
{
    calls << QStringLiteral("window delete %1 %2 %3").arg(stepID).arg(itemID).arg(itemType);
    return true;
}

ProcessTreeEditFixture::ProcessTreeEditFixture()
{
    host.installed.Install<LinkedWindowServices>(&recorder);
    host.installed.Install<PaneServices>(&recorder);
    host.installed.Install<RecipeViewServices>(&recorder);
    m_previousStreams = SetStreamServices(&recorder);
}

std::string ProcessTreeEditFixture::ProjectText(const QString& sql)
{
    QSqlQuery query = Project().Query(sql);
    return query.next() ? query.value(0).toString().toStdString() : std::string();
}

QString ProcessTreeEditFixture::Dump(CDaoDatabase& database)
{
    QStringList tables;
    QSqlQuery names = database.Query("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name");
    while (names.next())
        tables << names.value(0).toString();
    QStringList lines;
    for (const QString& table : tables) {
        QSqlQuery rows = database.Query("SELECT * FROM \"" + table + "\" ORDER BY rowid");
        while (rows.next()) {
            QStringList values{table};
            for (int i = 0; i < rows.record().count(); ++i)
                values << rows.value(i).toString();
            lines << values.join('|');
        }
    }
    return lines.join('\n');
}

namespace {
void freshOutline(const QTreeWidgetItem* node, int level, int depth, QStringList& lines)
{
    lines << QString(2 * level, ' ') + node->text(0) + " [" + node->data(0, NODE_ICON_ROLE).toString() + "]";
    for (int i = 0; level + 1 < depth && i < node->childCount(); ++i)
        freshOutline(node->child(i), level + 1, depth, lines);
}
} // namespace

QStringList ProcessTreeEditFixture::FreshOutline(int depth) const
{
    CProcessTree fresh;
    fresh.RefillTree();
    QStringList lines;
    for (int i = 0; i < fresh.tree()->topLevelItemCount(); ++i)
        freshOutline(fresh.tree()->topLevelItem(i), 0, depth, lines);
    return lines;
}

void ProcessTreeEditFixture::Refuse(CDaoDatabase& database, const QString& table, const QString& change)
{
    database.Execute("CREATE TRIGGER refuse_" + change + " BEFORE " + change + " ON \"" + table +
                     "\" BEGIN SELECT RAISE(ABORT, 'refused'); END");
}

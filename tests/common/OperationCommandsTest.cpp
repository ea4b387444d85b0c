// The generated insert-operation command table against the operation catalogue it comes from.

#include "foundation/common/OperationCommands.h"
#include "foundation/db/schema/SchemaBuilder.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <set>

TEST(OperationCommandsTest, OneCommandPerCatalogueRowInCatalogueOrder)
{
    QString error;
    const QList<OperationCatalogueRow> catalogue = CSchemaBuilder::ReadOperationCatalogue(&error);
    const std::span<const OperationCommand> commands = OperationCommands();
    ASSERT_EQ(catalogue.size(), 87) << error.toStdString();
    ASSERT_EQ(commands.size(), size_t(catalogue.size()));

    std::set<int> ids;
    for (qsizetype i = 0; i < catalogue.size(); ++i) {
        const OperationCommand& command = commands[size_t(i)];
        const QString name = catalogue[i].operationTypeName;
        EXPECT_EQ(command.operationTypeID, catalogue[i].operationTypeID);
        EXPECT_EQ(QString::fromUtf8(command.operationTypeName), name);
        EXPECT_EQ(QString::fromUtf8(command.menuText), name);
        EXPECT_EQ(FindOperationCommandForType(command.operationTypeID), &command) << name.toStdString();
        EXPECT_EQ(FindOperationCommand(command.id), &command) << name.toStdString();
        EXPECT_TRUE(ids.insert(command.id).second) << command.id;
    }
}

TEST(OperationCommandsTest, PromptAndTooltipFollowTheNameUnlessTheCatalogueSaysOtherwise)
{
    const struct {
        int id;
        const char* prompt;
        const char* tooltip;
    } exceptions[] = {
        {33054, "Extract-Continuously", "Extract-Continuously"},
        {33351, "Insert Operation Filter Dry", "Filter Dry"},
    };
    for (const OperationCommand& command : OperationCommands()) {
        const QString name = QString::fromUtf8(command.operationTypeName);
        QString prompt = QStringLiteral("Insert Operation ") + name;
        QString tooltip = name;
        for (const auto& exception : exceptions) {
            if (exception.id == command.id) {
                prompt = QString::fromUtf8(exception.prompt);
                tooltip = QString::fromUtf8(exception.tooltip);
            }
        }
        EXPECT_EQ(QString::fromUtf8(command.prompt), prompt);
        EXPECT_EQ(QString::fromUtf8(command.tooltip), tooltip);
    }
}

TEST(OperationCommandsTest, IdsOutsideTheTableFindNothing)
{
    for (int id : {0, -1, 32891, 32897, 33434})
        EXPECT_EQ(FindOperationCommand(id), nullptr) << id;
    for (long type : {0L, -1L, 6L, 92L})
        EXPECT_EQ(FindOperationCommandForType(type), nullptr) << type;
    ASSERT_NE(FindOperationCommandForType(91), nullptr);
    EXPECT_EQ(FindOperationCommandForType(91)->id, 33433);
}

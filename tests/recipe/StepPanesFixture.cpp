#include "StepPanesFixture.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"

#include <QApplication>
#include <QSqlQuery>

namespace {
RecipeLineSpec PaneLine(const char* type, long operationTypeID = -1, const QString& name = {},
                        const QString& recipeText = {})
{
    RecipeLineSpec line;
    line.type = QString::fromLatin1(type);
    line.operationTypeID = operationTypeID;
    line.name = name;
    line.recipeText = recipeText;
    return line;
}

StepSpec PaneStep(long stepID, const char* name, const char* version, const QList<RecipeLineSpec>& lines)
{
    StepSpec step;
    step.stepID = stepID;
    step.name = QString::fromLatin1(name);
    step.version = QString::fromLatin1(version);
    step.plantID = CProjectGenerator::PLANT_ID;
    step.lines = lines;
    return step;
}
} // namespace

ProjectSpec StepPanesProject()
{
    ProjectSpec spec;
    spec.name = QStringLiteral("Panes");
    spec.plantName = QStringLiteral("Plant");
    spec.steps << PaneStep(BLEND_STEP, "Blend", "2.0",
                           {PaneLine("Unit Procedure", -1, "Prep"),
                            PaneLine("Operation", 4, {}, "Charge 800 kg of solid catalyst to R-1. Stir."),
                            PaneLine("Operation", 26, {}, QString(90, QLatin1Char('h'))),
                            PaneLine("Operation", 1, {}, ".Age without a head"),
                            PaneLine("Unit Procedure", -1, "Finish"), PaneLine("Operation", 25, {}, "Cool."),
                            PaneLine("Operation", 7, {}, "Pump the batch to T-2.")});
    spec.steps << PaneStep(SPLIT_STEP, "Split", "1.0",
                           {PaneLine("Unit Procedure", -1, "React"), PaneLine("Operation", 4),
                            PaneLine("Start Parallel"), PaneLine("Series"), PaneLine("Operation", 26),
                            PaneLine("Operation", 1), PaneLine("Series"), PaneLine("Operation", 30),
                            PaneLine("Series"), PaneLine("Operation", 25), PaneLine("End Parallel"),
                            PaneLine("Operation", 7)});
    return spec;
}

StepPanesFixture::StepPanesFixture()
{
    installed.Install<QVSOPEntry>(&statementModule);
    constraintsDock = new QDockWidget(QStringLiteral("Scheduling Constraints"), &window);
    statementsDock = new QDockWidget(QStringLiteral("Standard Statements"), &window);
    window.addDockWidget(Qt::RightDockWidgetArea, statementsDock);
    window.addDockWidget(Qt::RightDockWidgetArea, constraintsDock);
    window.tabifyDockWidget(statementsDock, constraintsDock);
    constraints = new CConditionalLogicView;
    statements = new CStandardStatementView;
    constraintsDock->setWidget(constraints);
    statementsDock->setWidget(statements);
    window.setCentralWidget(new QWidget);
    window.resize(900, 500);
    window.show();
    Raise(constraintsDock);
}

void StepPanesFixture::Open(const ProjectSpec& spec)
{
    const QString folder = app.root() + "project/";
    CProjectGenerator generator;
    ASSERT_TRUE(generator.Write(spec, folder)) << generator.ErrorText().toStdString();
    app.fileSet().projectDatabase = std::make_unique<CDaoDatabase>();
    app.fileSet().projectDatabase->Open(folder + spec.name + ".prj", DatabaseRole::ReadWrite);
    for (const StepSpec& step : spec.steps) {
        const QString path = folder + CProjectGenerator::StepFileName(step.stepID);
        auto database = std::make_unique<CDaoDatabase>();
        database->Open(path, DatabaseRole::ReadWrite);
        app.stepDatabases().add(step.stepID, std::move(database), path);
    }
}

void StepPanesFixture::EditStep(long stepID, const QString& sql, const QVariantList& values)
{
    GetStepDatabase(stepID)->Execute(sql, values);
}

long StepPanesFixture::IdOf(long stepID, const QString& label)
{
    QSqlQuery query = GetStepDatabase(stepID)->Query("SELECT ID FROM TextRecipe WHERE Label = ?", {label});
    return query.next() ? long(query.value(0).toLongLong()) : -1;
}

void StepPanesFixture::AddConstraint(long stepID, const QVariant& current, const QString& logic,
                                     const QVariant& parameter, const QVariant& delay, const QString& uom,
                                     bool unitProcedure)
{
    const QString table = unitProcedure ? "UnitProcedureConditionalLogicParameter (CurrentUnitProcedureID, "
                                          "ConditionalLogic, UnitProcedureParameterID"
                                        : "OperationConditionalLogicParameter (CurrentOperationID, "
                                          "ConditionalLogic, OperationParameterID";
    EditStep(stepID, "INSERT INTO " + table + ", Delay, DelayUOM) VALUES (?, ?, ?, ?, ?)",
             {current, logic, parameter, delay, uom});
}

void StepPanesFixture::Raise(QDockWidget* dock)
{
    dock->raise();
    for (int pass = 0; pass < 5; ++pass)
        QApplication::processEvents();
}

QStringList StepPanesFixture::Rows(const CDockedList& pane)
{
    QStringList rows;
    const CTitledListCtrl& list = pane.list();
    for (int row = 0; row < list.GetItemCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < list.columnCount(); ++column)
            cells << list.GetItemText(row, column);
        rows << cells.join('|');
    }
    return rows;
}

#include "LibraryDialogFixture.h"

#include "foundation/db/content/OperationParameterWriter.h"

namespace {
RecipeLineSpec LibraryOperation(const QString& text, const QList<OperationParameterRange>& ranges = {},
                                const QList<LibraryReferenceValue>& references = {},
                                const QList<CommentSpec>& comments = {})
{
    RecipeLineSpec line;
    line.type = QStringLiteral("Operation");
    line.operationTypeID = 1;
    line.recipeText = text;
    line.ranges = ranges;
    line.references = references;
    line.comments = comments;
    return line;
}

OperationParameterRange LibraryRange(long rangeTypeID)
{
    OperationParameterRange range;
    range.rangeTypeID = rangeTypeID;
    range.low = 10;
    range.high = 20;
    range.lowUOM = range.highUOM = QStringLiteral("min");
    return range;
}

StepSpec LibraryStep(long id, const QString& name)
{
    StepSpec step;
    step.stepID = id;
    step.name = name;
    step.version = QStringLiteral("1.0");
    step.plantID = CProjectGenerator::PLANT_ID;
    RecipeLineSpec unit;
    unit.type = QStringLiteral("Unit Procedure");
    unit.name = name + QStringLiteral(" in R-101");
    step.lines = {unit, LibraryOperation(name + QStringLiteral(" first")),
                  LibraryOperation(name + QStringLiteral(" second"), {LibraryRange(1)})};
    return step;
}
} // namespace

ProjectSpec LibraryDialogTest::ThreeStepProject()
{
    ProjectSpec spec;
    spec.name = QStringLiteral("Libraries");
    spec.plantName = QStringLiteral("Plant");
    spec.steps = {LibraryStep(FIRST_STEP, QStringLiteral("Charge")), LibraryStep(USING_STEP, QStringLiteral("React")),
                  LibraryStep(LAST_STEP, QStringLiteral("Isolate"))};
    StepSpec& used = spec.steps[1];
    used.lines.append(LibraryOperation(QStringLiteral("React third"), {LibraryRange(2), LibraryRange(3)},
                                       {{LibraryReferenceField::LaborGrade, 1},
                                        {LibraryReferenceField::StreamCategory, 2}},
                                       {{3, QStringLiteral("Check the colour.")}}));
    used.comments = {{2, QStringLiteral("Wear a face shield.")}};
    spec.processes = {{1, QStringLiteral("Route"), QStringLiteral("1"), {}, -1, -1, {FIRST_STEP, USING_STEP, LAST_STEP}}};
    spec.laborGrades = {{1, QStringLiteral("Operator"), 30.0, QStringLiteral("USD/h"), 3},
                        {2, QStringLiteral("Chemist"), 1e35, QString(), -1},
                        {3, QStringLiteral("Helper"), 20.0, QStringLiteral("USD/h"), 5}};
    spec.streamCategories = {{1, QStringLiteral("Aqueous"), 0.5, QStringLiteral("USD/kg")},
                             {2, QStringLiteral("Solvent"), 1.5, QStringLiteral("USD/kg")},
                             {3, QStringLiteral("Solid"), 1e35, QString()}};
    return spec;
}

void LibraryDialogTest::SetUp()
{
    const ProjectSpec spec = ThreeStepProject();
    CProjectGenerator generator;
    ASSERT_TRUE(generator.Write(spec, m_dir.path())) << generator.ErrorText().toStdString();
    m_app.fileSet().projectDBPath = m_dir.filePath("Libraries.prj");
    m_app.fileSet().projectDatabase = std::make_unique<CDaoDatabase>();
    m_app.fileSet().projectDatabase->Open(m_app.fileSet().projectDBPath, DatabaseRole::WorkingCopy);
    for (const StepSpec& step : spec.steps) {
        const QString path = m_dir.filePath(CProjectGenerator::StepFileName(step.stepID));
        auto db = std::make_unique<CDaoDatabase>();
        db->Open(path, DatabaseRole::WorkingCopy);
        m_app.stepDatabases().add(step.stepID, std::move(db), path);
    }
    m_installed.Install<DisplayOptionsService>(&m_frame);
    m_installed.Install<RecipeTextRegeneration>(&m_frame);
    m_installed.Install<AutomationModel>(&m_frame);
    m_installed.Install<HelpService>(&m_help);
}

CDaoDatabase& LibraryDialogTest::database(long stepID)
{
    return stepID == 0 ? *m_app.fileSet().projectDatabase : *m_app.stepDatabases().database(stepID);
}

QVariant LibraryDialogTest::value(long db, const QString& sql)
{
    if (db != 0 && !m_app.stepDatabases().contains(db))
        return QStringLiteral("no database");
    QSqlQuery query = database(db).Query(sql);
    return query.next() ? query.value(0) : QVariant();
}

void LibraryDialogTest::execute(long db, const QString& sql)
{
    database(db).Execute(sql);
}

QString LibraryDialogTest::state()
{
    QStringList parts;
    for (const char* sql :
         {"SELECT group_concat(RangeTypeID || Description || \"Default\", ',') FROM TblRangeLibrary",
          "SELECT group_concat(CommentTypeID || Description || \"Default\", ',') FROM TblCommentLibrary",
          "SELECT group_concat(LaborGradeID || LaborGrade || ifnull(Cost, 'null') || ifnull(MaxAvailableOperators, 'null'), ',') "
          "FROM TblLaborCategory",
          "SELECT group_concat(StreamCategoryID || StreamCategory || ifnull(DisposalCost, 'null'), ',') "
          "FROM StreamCategoryTable",
          "SELECT group_concat(Options || '=' || Value, ',') FROM TextRecipeOptions"})
        parts << value(0, sql).toString();
    for (long step : {FIRST_STEP, USING_STEP, LAST_STEP})
        for (const char* sql : {"SELECT group_concat(RangeTypeID, ',') FROM TblRangeData",
                                "SELECT group_concat(OperationID || ':' || CommentTypeID, ',') FROM TblCommentData",
                                "SELECT count(*) FROM TblFieldData"})
            parts << value(step, sql).toString();
    return parts.join(u'|');
}

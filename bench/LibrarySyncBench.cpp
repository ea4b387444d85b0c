// The library check at project open when nothing changed: a generated project with 2,000
// materials and 500 equipment items, all imported from three material and three equipment
// libraries at their current stamps. The timed run counts and collects through the library
// component's stand-in (no question, no list). "floor_ms" is the same keyed reads by raw prepared
// queries: the imports listed, each item's stamp read from its library, twice (count, collect),
// the files opened and closed as the run does. Goal: the run within twice the floor (Release).

#include "RootedAppContext.h"
#include "foundation/common/LibraryStampRule.h"
#include "foundation/common/MessageBox.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "foundation/db/schema/SchemaBuilder.h"
#include "library/LibrarySynchroniser.h"
#include "library/MaterialUpdateInfo.h"
#include "modules/ravelstock/RavelstockComponent.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <vector>

namespace {
constexpr int MATERIALS = 2000;
constexpr int EQUIPMENT = 500;
constexpr int LIBRARIES = 3;
constexpr long FIRST_MATERIAL = 1001;
constexpr long FIRST_EQUIPMENT = 100001;
constexpr long SERVER_OFFSET = 500000; // a library item's id is the project's plus this
constexpr double STAMP = 46100.5;
constexpr double GOAL_RATIO = 2.0;

struct KindNames {
    DatabaseKind kind;
    const char* table;
    const char* id;
    const char* name;
    const char* file; // the libraries' file name before their number
    const char* extension;
};

const KindNames MATERIAL_NAMES{DatabaseKind::Material, "ActualMaterialCommon", "MaterialID", "MaterialName",
                               "Materials", "mtl"};
const KindNames EQUIPMENT_NAMES{DatabaseKind::Equipment, "ActualEquipmentCommon", "ActualEquipmentID", "QVTag",
                                "Equipment", "eqm"};

QString LibraryLocation(const KindNames& names, int library)
{
    return QStringLiteral("Libraries/%1%2.%3").arg(names.file).arg(library + 1).arg(names.extension);
}

// The location of each item, by its project id, in SQL.
QString LocationSql(const KindNames& names)
{
    return QStringLiteral("'Libraries/%1' || (%2 % %3 + 1) || '.%4'")
        .arg(names.file, names.id)
        .arg(LIBRARIES)
        .arg(names.extension);
}

ProjectSpec BenchProject()
{
    ProjectSpec spec;
    spec.name = "LibraryBench";
    spec.plantName = "Bench Plant";
    for (int i = 0; i < MATERIALS; ++i)
        spec.materials << MaterialSpec{FIRST_MATERIAL + i, QStringLiteral("Material %1").arg(i), "Liquid", 50.0 + i, {}};
    for (int i = 0; i < EQUIPMENT; ++i) {
        EquipmentSpec item;
        item.equipmentID = FIRST_EQUIPMENT + i;
        item.tag = QStringLiteral("V-%1").arg(i, 4, 10, QLatin1Char('0'));
        item.classID = 1 + i % 10;
        item.className = QStringLiteral("Class %1").arg(item.classID);
        spec.equipment << item;
    }
    return spec;
}

// Library `library` holds the server copies of the project items whose id modulo 3 is `library`.
bool WriteLibrary(const KindNames& names, int library, long first, int count, const QString& path)
{
    CSchemaBuilder db(names.kind);
    const QString rows = QStringLiteral("WITH RECURSIVE n(i) AS (SELECT %1 UNION ALL SELECT i + 1 FROM n WHERE i < %2) "
                                        "SELECT i + %3, 'Item ' || i FROM n WHERE i % %4 = %5")
                             .arg(first)
                             .arg(first + count - 1)
                             .arg(SERVER_OFFSET)
                             .arg(LIBRARIES)
                             .arg(library);
    return db.Create(path) &&
           db.Execute(QStringLiteral("INSERT INTO %1 (%2, %3) %4").arg(names.table, names.id, names.name, rows)) &&
           db.Execute(QStringLiteral("UPDATE %1 SET LibraryStamp = %2").arg(names.table).arg(STAMP)) && db.Finish();
}

// Every item of the kind in the project's working copy imported at its library's stamp.
void AddImports(const KindNames& names, long first, const QString& workingCopy)
{
    CDaoDatabase project;
    project.Open(workingCopy, DatabaseRole::WorkingCopy);
    project.Execute(QStringLiteral("INSERT INTO LibraryImport (LocalID, ServerID, ServerLocation, ImportStamp) "
                                   "SELECT %1, %1 + %2, %3, %4 FROM %5 WHERE %1 >= %6 ORDER BY %1")
                        .arg(names.id)
                        .arg(SERVER_OFFSET)
                        .arg(LocationSql(names))
                        .arg(STAMP)
                        .arg(names.table)
                        .arg(first));
}

// The project, its working copies in the instance folder and its six libraries.
bool WriteBenchFiles(RootedAppContext& app, const QString& root, QString& error)
{
    const QString folder = root + "/project/";
    CProjectGenerator generator;
    if (!generator.Write(BenchProject(), folder)) {
        error = generator.ErrorText();
        return false;
    }
    QDir().mkpath(folder + "Libraries");
    for (int library = 0; library < LIBRARIES; ++library) {
        if (!WriteLibrary(MATERIAL_NAMES, library, FIRST_MATERIAL, MATERIALS,
                          folder + LibraryLocation(MATERIAL_NAMES, library)) ||
            !WriteLibrary(EQUIPMENT_NAMES, library, FIRST_EQUIPMENT, EQUIPMENT,
                          folder + LibraryLocation(EQUIPMENT_NAMES, library))) {
            error = "cannot write a library";
            return false;
        }
    }
    ProjectFileSet& files = app.fileSet();
    files.projectDir = folder;
    files.materialsDBPath = root + "/instance/LibraryBench.mwc";
    files.equipmentDBPath = root + "/instance/LibraryBench.ewc";
    if (!CopyDatabaseFile(folder + "LibraryBench.mtl", files.materialsDBPath) ||
        !CopyDatabaseFile(folder + "LibraryBench.eqm", files.equipmentDBPath)) {
        error = "cannot copy the working copies";
        return false;
    }
    AddImports(MATERIAL_NAMES, FIRST_MATERIAL, files.materialsDBPath);
    AddImports(EQUIPMENT_NAMES, FIRST_EQUIPMENT, files.equipmentDBPath);
    return true;
}

// Counts every prompt; the run of an unchanged project shows none.
class CountingPrompts : public AutomationPromptService {
public:
    int prompt(const QString& text, unsigned flags, const QString& caption) override
    {
        ++shown;
        return AutomationPromptService::prompt(text, flags, caption);
    }
    int shown = 0;
};

// One raw connection, closed and removed with this object.
class RawConnection {
public:
    RawConnection(const QString& path, bool readOnly) : m_name(QStringLiteral("raw-%1").arg(++s_count))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        if (readOnly)
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        db.open();
    }
    ~RawConnection() { QSqlDatabase::removeDatabase(m_name); }
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;
    QSqlDatabase Database() const { return QSqlDatabase::database(m_name, false); }

private:
    static inline int s_count = 0;
    QString m_name;
};

// The raw reads of one kind: its imports listed, each stamp read from its library; the count of
// items whose stamps differ.
long RawChangedItems(const KindNames& names, const QString& workingCopy, const QString& folder)
{
    long changed = 0;
    RawConnection project(workingCopy, false);
    std::vector<std::unique_ptr<RawConnection>> libraries;
    std::vector<QSqlQuery> lookups;
    QHash<QString, size_t> byLocation;
    for (int library = 0; library < LIBRARIES; ++library) {
        const QString location = LibraryLocation(names, library);
        libraries.push_back(std::make_unique<RawConnection>(folder + location, true));
        byLocation.insert(location, lookups.size());
        QSqlQuery& lookup = lookups.emplace_back(libraries.back()->Database());
        lookup.setForwardOnly(true);
        lookup.prepare(QStringLiteral("SELECT %1, LibraryStamp FROM %2 WHERE %3 = ?").arg(names.name, names.table, names.id));
    }
    {
        QSqlQuery imports(project.Database());
        imports.setForwardOnly(true);
        imports.exec(QStringLiteral("SELECT i.LocalID, c.%1, i.ImportStamp, i.ServerID, i.ServerLocation FROM LibraryImport i "
                                    "JOIN %2 c ON c.%3 = i.LocalID ORDER BY i.ImportID")
                         .arg(names.name, names.table, names.id));
        while (imports.next()) {
            QSqlQuery& lookup = lookups.at(byLocation.value(imports.value(4).toString()));
            lookup.addBindValue(imports.value(3));
            lookup.exec();
            if (lookup.next() && !LibraryStampsEqual(imports.value(2).toDouble(), lookup.value(1).toDouble()))
                ++changed;
            lookup.finish();
        }
    }
    lookups.clear();
    return changed;
}

double RawFloorMs(const ProjectFileSet& files, int runs)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        long changed = 0;
        for (int pass = 0; pass < 2; ++pass) { // count, then collect
            changed += RawChangedItems(MATERIAL_NAMES, files.materialsDBPath, files.projectDir);
            changed += RawChangedItems(EQUIPMENT_NAMES, files.equipmentDBPath, files.projectDir);
        }
        benchmark::DoNotOptimize(changed);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

// One item changed in each material library: the count must see all three, so the look-ups of
// the timed runs reached their libraries.
bool EveryLibraryIsRead(const QString& folder)
{
    for (int library = 0; library < LIBRARIES; ++library) {
        CDaoDatabase db;
        db.Open(folder + LibraryLocation(MATERIAL_NAMES, library));
        db.Execute(QStringLiteral("UPDATE ActualMaterialCommon SET LibraryStamp = LibraryStamp + 1 WHERE MaterialID = "
                                  "(SELECT min(MaterialID) FROM ActualMaterialCommon)"));
    }
    const int count = MaterialUpdateInfo().GetOutOfDateCount();
    GetLibraryComponent()->EndRun();
    return count == LIBRARIES;
}

void BM_CountAndCollectUnchanged(benchmark::State& state)
{
    QTemporaryDir root;
    RootedAppContext app(root.path(), root.filePath("instance"));
    QString error;
    if (!WriteBenchFiles(app, root.path(), error))
        return state.SkipWithError(qPrintable(error));
    CRavelstockComponent component;
    LibraryComponent* previous = SetLibraryComponent(&component);
    CountingPrompts prompts;
    ScopedPromptService scoped(&prompts);
    QElapsedTimer timer;
    timer.start();
    for (auto _ : state)
        CLibrarySynchroniser().SynchroniseLibraries();
    const double runMs = double(timer.nsecsElapsed()) / 1e6 / double(state.iterations());
    const double floor = RawFloorMs(app.fileSet(), 5);
    if (prompts.shown != 0)
        state.SkipWithError("an unchanged project showed a prompt");
    else if (!EveryLibraryIsRead(app.fileSet().projectDir))
        state.SkipWithError("the count did not read every library");
    SetLibraryComponent(previous);
    state.counters["floor_ms"] = floor;
    state.counters["ratio"] = runMs / floor;
    state.counters["goal_ratio"] = GOAL_RATIO;
}

BENCHMARK(BM_CountAndCollectUnchanged)->Iterations(10)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

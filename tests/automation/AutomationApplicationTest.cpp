#include "AutomationFixture.h"
#include "QtPrinters.h"
#include "SentPackages.h"

#include "foundation/common/AutomationFlag.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/ProjectControl.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "foundation/db/schema/SchemaBuilder.h"

#include <QDir>
#include <QFile>

namespace {
using V = CAutomationVariant;

// A project control that records what it was asked; opening a file that exists succeeds.
class RecordingProjectControl : public ProjectControl {
public:
    bool IsProjectOpen() const override { return open; }
    bool OpenProjectByPath(const QString& path) override
    {
        calls << "open " + path;
        open = QFile::exists(path);
        return open;
    }
    bool CloseProject(SaveAnswer answer) override
    {
        calls << QString("close %1").arg(int(answer));
        open = false;
        return true;
    }
    bool SaveOpenProject() override
    {
        calls << "save";
        QvMessageBox("Can't save the project.", MB_ICONERROR);
        return saves;
    }
    bool open = false;
    bool saves = true;
    QStringList calls;
};
} // namespace

class AutomationApplicationTest : public AutomationFixture {
protected:
    AutomationApplicationTest() { installed.Install<ProjectControl>(&control); }
    RecordingProjectControl control;
};

// The open project is recognised by its file, also through a link; another file is opened.
TEST_F(AutomationApplicationTest, OpenProjectRecognisesTheOpenFile)
{
    OpenDemo();
    control.open = true;
    const QString path = GetProjectFilePath();
    const QString link = app.root() + "link.prj";
    ASSERT_TRUE(QFile::link(path, link));
    g_bAutomationActive = false;
    builder.DeleteAutomationModel();
    EXPECT_EQ(Call(Root(), "OpenProject", {S(path)}).longValue(), 1);
    EXPECT_TRUE(builder.AutomationModelExists()); // built on the first call
    EXPECT_EQ(Call(Root(), "openproject", {S(link)}).longValue(), 1);
    EXPECT_TRUE(control.calls.isEmpty());
}

// A path that names no project file of ours, or a package its unpack would refuse, answers 0 with
// the open's own text before the open project is asked to close; any project kind, the extension
// in any case, and a sound package go on to the open.
TEST_F(AutomationApplicationTest, OpenProjectRefusesWhatIsNoProjectFileBeforeTheClose)
{
    const QString notProject = "Please select a Tamro Plenthover Project file to open!";
    const QString notOurs = "%1 is not a Tamro Plenthover project: %2";
    const QString root = app.root();
    for (const char* name : {"notes.txt", "STEP_1001.wc", "Empty.prj", "Text.qvz"}) {
        QFile file(root + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name;
    }
    for (const char* name : {"Plant.PRJ", "Plant.qvt", "Plant.wc"}) {
        CSchemaBuilder project(DatabaseKind::Project);
        ASSERT_TRUE(project.Create(root + name) && project.Finish()) << name;
    }
    ASSERT_TRUE(CProjectGenerator().Write(CProjectGenerator::DemoProject(), root + "sent/"));
    ASSERT_TRUE(QDir(root).mkdir("Folder.prj"));
    struct Case {
        QString path;
        QString said; // empty: opened
    };
    QList<Case> cases = {
        {root + "missing.prj", "The file " + root + "missing.prj does not exist"},
        {root + "Folder.prj", "The file " + root + "Folder.prj does not exist"},
        {root + "notes.txt", notProject},
        {root + "STEP_1001.wc", notProject},
        {root + "Empty.prj", notOurs.arg(root + "Empty.prj", "the file cannot be read as a database")},
        {root + "Text.qvz", notOurs.arg(root + "Text.qvz", "the file is not a compound file")},
        {root + "Plant.PRJ", ""},
        {root + "Plant.qvt", ""},
        {root + "Plant.wc", ""},
    };
    // A package whose fault shows only once unpacked goes on to the open, which unpacks and refuses
    // it before it closes anything (the bus scripts run that on the program).
    for (const SentPackage& package : WriteSentPackages(root + "sent/", "Demo", root + "packages/"))
        cases.append({package.path, package.reason.isEmpty() || package.unpacked
                                        ? ""
                                        : notOurs.arg(package.path, package.reason)});
    for (const auto& c : cases) {
        control.open = true;
        control.calls.clear();
        messages.clear();
        const long answer = Call(Root(), "OpenProject", {S(c.path)}).longValue();
        EXPECT_EQ(answer, c.said.isEmpty() ? 1 : 0) << c.path.toStdString();
        EXPECT_EQ(messages, c.said.isEmpty() ? QStringList() : QStringList{c.said}) << c.path.toStdString();
        EXPECT_EQ(control.calls, c.said.isEmpty() ? QStringList{"open " + c.path} : QStringList())
            << c.path.toStdString();
    }
    messages.clear();
}

// TRUE saves, then closes without asking; a failed save keeps the project open and says why.
TEST_F(AutomationApplicationTest, CloseProjectBothWays)
{
    control.open = true;
    Call(Root(), "CloseProject", {V::Bool(false)});
    EXPECT_EQ(control.calls, QStringList{"close 2"});
    control.open = true;
    control.saves = false;
    const AutomationResult failed = InvokeAutomation(Root(), InvokeKind::Call, "CloseProject", {L(1)});
    EXPECT_EQ(failed.error, AutomationError::Failed);
    EXPECT_EQ(failed.text, "The project was not saved; it stays open.\nCan't save the project.");
    EXPECT_TRUE(control.open);
    control.saves = true;
    Call(Root(), "CloseProject", {V::Bool(true)});
    EXPECT_EQ(control.calls, (QStringList{"close 2", "save", "save", "close 2"}));
    expectedMessages = {"Can't save the project.", "Can't save the project."};
}

// Frame operations that are not built answer NotAvailable; Options is always null.
TEST_F(AutomationApplicationTest, UnbuiltFrameOperations)
{
    EXPECT_EQ(InvokeAutomation(Root(), InvokeKind::Call, "SimulateBatch", {L(1001)}).error,
              AutomationError::NotAvailable);
    EXPECT_EQ(Obj(Root(), "Options"), nullptr);
    EXPECT_EQ(Get(Root(), "Visible").longValue(), 0);
}

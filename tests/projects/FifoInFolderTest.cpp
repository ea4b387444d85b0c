// Project folders a colleague could send, or a tar archive could make, with a named pipe under a
// name the open reads: the open answers at once, naming the pipe, and never waits on it.

#include "Deadline.h"
#include "ProjectFixture.h"
#include "foundation/common/RegularFile.h"
#include "foundation/common/UserSimSequenceFile.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <sys/stat.h>

namespace {
struct FifoCase {
    const char* name; // the pipe's name in the project folder
    bool opens;       // the open goes on without the file (a plan's sequence); else it is refused
};

// A plan's sequence file that cannot be read is named in the text every such file shows.
QString RefusalOf(const FifoCase& c, const QString& pipe)
{
    return c.opens ? SimSequenceFileNotOpenedText(pipe) : NotRegularFileText(pipe, "a named pipe");
}

void PrintTo(const FifoCase& c, std::ostream* out)
{
    *out << c.name;
}
} // namespace

class FifoInFolderTest : public ProjectFixture, public ::testing::WithParamInterface<FifoCase> {};

TEST_P(FifoInFolderTest, TheOpenRefusesThePipeByNameAtOnce)
{
    const FifoCase& c = GetParam();
    ProjectSpec spec = CProjectGenerator::DemoProject();
    spec.plans = {{1, "Weekly"}};
    const QString path = WriteProject(spec);
    const QString pipe = projectDir() + c.name;
    QFile::remove(pipe);
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    prompts.expect(IDOK);
    bool opened = false;
    {
        const Deadline deadline(std::chrono::seconds(20),
                                std::string("opening a project with a pipe named ") + c.name);
        opened = OpenGiven(path);
    }
    EXPECT_EQ(opened, c.opens);
    EXPECT_EQ(prompts.lastText(), RefusalOf(c, pipe));
    if (opened) {
        EXPECT_TRUE(manager.CloseCurrentProject(SaveAnswer::Discard));
    }
    struct stat status {};
    EXPECT_TRUE(::lstat(QFile::encodeName(pipe).constData(), &status) == 0 && S_ISFIFO(status.st_mode));
}

INSTANTIATE_TEST_SUITE_P(Names, FifoInFolderTest,
                         ::testing::Values(FifoCase{"Demo.prj.save", false}, FifoCase{"Demo.eqm", false},
                                           FifoCase{"Demo.mtl", false}, FifoCase{"STEP_1001.STP", false},
                                           FifoCase{"Weekly_User_Sim_Def_1.txt", true}),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), '.', '_');
                             return name;
                         });

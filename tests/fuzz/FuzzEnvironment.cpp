#include "FuzzEnvironment.h"
#include "FuzzTarget.h"
#include "RootedAppContext.h"
#include "foundation/common/EscapedErrors.h"
#include "foundation/common/FileDialogService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/db/files/DiskSyncs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

// The default button; the texts are kept for TakePromptTexts. With QV_FUZZ_VERBOSE set, what the
// prompt said goes to stderr.
class DefaultAnswerPrompts : public AutomationPromptService {
public:
    int prompt(const QString& text, unsigned flags, const QString& caption) override
    {
        if (qEnvironmentVariableIsSet("QV_FUZZ_VERBOSE"))
            std::fprintf(stderr, "prompt: %s\n", qPrintable(text));
        texts << text;
        return AutomationPromptService::prompt(text, flags, caption);
    }
    QStringList texts;
};

// Cancelled, unless an answer was queued for the next one.
class CancelledFileDialogs : public FileDialogService {
public:
    QString choose(const FileDialogRequest&) override { return std::exchange(next, QString()); }
    QString next;
};

struct Environment {
    QTemporaryDir root;
    std::unique_ptr<QApplication> app;
    DefaultAnswerPrompts prompts;
    CancelledFileDialogs dialogs;
    std::unique_ptr<RootedAppContext> context;
};

Environment* TheEnvironment = nullptr;

// The environment lives until the process ends; only its folder is removed then.
void RemoveRoot()
{
    QDir(TheEnvironment->root.path()).removeRecursively();
}

std::vector<FuzzTarget>& Targets()
{
    static std::vector<FuzzTarget> targets;
    return targets;
}

void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (qEnvironmentVariableIsSet("QV_FUZZ_VERBOSE"))
        std::fprintf(stderr, "log: %s\n", qPrintable(text));
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        std::abort();
    }
}

} // namespace

bool RegisterFuzzTarget(const FuzzTarget& target)
{
    Targets().push_back(target);
    return true;
}

const FuzzTarget* FuzzTargetAt(int index)
{
    return index >= 0 && index < int(Targets().size()) ? &Targets()[index] : nullptr;
}

const FuzzTarget* FindFuzzTarget(const QString& name)
{
    for (const FuzzTarget& target : Targets())
        if (name == QLatin1String(target.name))
            return &target;
    return nullptr;
}

void FuzzFailure(const QString& what)
{
    std::fprintf(stderr, "fuzz target rule broken: %s\n", qPrintable(what));
    std::abort();
}

void WriteSeed(const QString& folder, const QString& name, const QByteArray& bytes)
{
    QDir().mkpath(folder);
    QFile file(folder + '/' + name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        FuzzFailure("cannot write seed " + file.fileName());
}

void SetUpFuzzEnvironment()
{
    if (TheEnvironment)
        return;
    TheEnvironment = new Environment; // lives until the process ends
    const QString root = TheEnvironment->root.path();
    std::atexit(RemoveRoot);
    QDir().mkpath(root + "/base");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("HOME", root.toUtf8());
    qputenv("XDG_CONFIG_HOME", (root + "/.config").toUtf8());
    qputenv("XDG_CACHE_HOME", (root + "/.cache").toUtf8());
    qputenv("XDG_DATA_HOME", (root + "/.local/share").toUtf8());
    // The system's zone named once: unnamed, the C library looks at its file again for every
    // local time it converts.
    if (!qEnvironmentVariableIsSet("TZ"))
        qputenv("TZ", ":/etc/localtime");
    QStandardPaths::setTestModeEnabled(true);
    qInstallMessageHandler(QuietMessages);
    static int argc = 1;
    static char name[] = "qv-fuzz";
    static char* argv[] = {name, nullptr};
    TheEnvironment->app = std::make_unique<QApplication>(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Kovistrel"));
    QApplication::setApplicationName(QStringLiteral("QuorvantaFuzz"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    SetPromptService(&TheEnvironment->prompts);
    SetFileDialogService(&TheEnvironment->dialogs);
    SetDiskSyncsSkipped(true);
    TheEnvironment->context = std::make_unique<RootedAppContext>(root + "/app", root + "/app/instance",
                                                                 root + "/app/instance/QVEnglish.lng");
}

QString FuzzRoot()
{
    SetUpFuzzEnvironment();
    return TheEnvironment->root.path() + '/';
}

QString ScratchFolder(const QString& name)
{
    const QString folder = FuzzRoot() + "scratch/" + name + '/';
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    return folder;
}

void AnswerNextFileDialog(const QString& path)
{
    SetUpFuzzEnvironment();
    TheEnvironment->dialogs.next = path;
}

QStringList TakePromptTexts()
{
    SetUpFuzzEnvironment();
    return std::exchange(TheEnvironment->prompts.texts, {});
}

RootedAppContext& FuzzAppContext()
{
    SetUpFuzzEnvironment();
    return *TheEnvironment->context;
}

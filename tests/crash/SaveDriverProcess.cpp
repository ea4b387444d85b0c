#include "SaveDriverProcess.h"

#include <QProcess>

#include <thread>

namespace {
constexpr int TIMEOUT_MS = 60000;

// Reads the driver's output until the line appears; false when it ended before.
bool waitForLine(QProcess& driver, QByteArray& output, const QByteArray& line)
{
    while (!output.contains(line)) {
        if (!driver.waitForReadyRead(TIMEOUT_MS))
            return false;
        output += driver.readAllStandardOutput();
    }
    return true;
}

qint64 reportedMicros(const QByteArray& output)
{
    const qsizetype at = output.indexOf("saved ");
    if (at < 0)
        return -1;
    const qsizetype end = output.indexOf('\n', at);
    return output.mid(at + 6, end - at - 6).toLongLong();
}
} // namespace

SaveDriverRun RunSaveDriver(const QString& projectFile, const QString& sessionRoot, int revision,
                            std::optional<std::chrono::microseconds> killAfterSaveStarts)
{
    SaveDriverRun run;
    QProcess driver;
    driver.setProcessChannelMode(QProcess::SeparateChannels);
    driver.start(QStringLiteral(QV_SAVE_DRIVER), {projectFile, sessionRoot, QString::number(revision)});
    QByteArray output;
    run.started = driver.waitForStarted(TIMEOUT_MS) && waitForLine(driver, output, "saving\n");
    if (run.started && killAfterSaveStarts) {
        std::this_thread::sleep_for(*killAfterSaveStarts);
        driver.kill();
    }
    driver.waitForFinished(TIMEOUT_MS);
    output += driver.readAllStandardOutput();
    run.errors = QString::fromLocal8Bit(driver.readAllStandardError());
    run.saveMicros = reportedMicros(output);
    run.saved = run.saveMicros >= 0;
    if (driver.exitStatus() == QProcess::NormalExit)
        run.exitCode = driver.exitCode();
    run.killed = killAfterSaveStarts && driver.exitStatus() == QProcess::CrashExit;
    return run;
}

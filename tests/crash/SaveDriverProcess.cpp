#include "SaveDriverProcess.h"

#include <QProcess>

#include <thread>

namespace {
constexpr int TIMEOUT_MS = 60000;
// The lines the driver writes before and after each phase, by phase.
const QByteArray BEGIN_LINES[] = {"opening\n", "saving\n", "closing\n"};
const QByteArray END_LINES[] = {"opened ", "saved ", "closed "};

// Reads the driver's output until the line appears; false when it ended before.
bool WaitForLine(QProcess& driver, QByteArray& output, const QByteArray& line)
{
    while (!output.contains(line)) {
        if (!driver.waitForReadyRead(TIMEOUT_MS))
            return false;
        output += driver.readAllStandardOutput();
    }
    return true;
}

// The microseconds after "<end> "; -1 when the phase did not finish.
qint64 ReportedMicros(const QByteArray& output, const QByteArray& end)
{
    const qsizetype at = output.indexOf(end);
    if (at < 0)
        return -1;
    const qsizetype stop = output.indexOf('\n', at);
    return output.mid(at + end.size(), stop - at - end.size()).toLongLong();
}
} // namespace

SaveDriverRun RunSaveDriver(const QString& projectFile, const QString& sessionRoot, int revision,
                            std::optional<DriverKill> kill, long refusedStep)
{
    SaveDriverRun run;
    QProcess driver;
    driver.setProcessChannelMode(QProcess::SeparateChannels);
    QStringList arguments{projectFile, sessionRoot, QString::number(revision)};
    if (refusedStep > 0)
        arguments << QString::number(refusedStep);
    driver.start(QStringLiteral(QV_SAVE_DRIVER), arguments);
    QByteArray output;
    const QByteArray& awaited = BEGIN_LINES[int(kill ? kill->phase : DriverPhase::Save)];
    run.started = driver.waitForStarted(TIMEOUT_MS) && WaitForLine(driver, output, awaited);
    if (run.started && kill) {
        std::this_thread::sleep_for(kill->after);
        driver.kill();
    }
    driver.waitForFinished(TIMEOUT_MS);
    output += driver.readAllStandardOutput();
    run.errors = QString::fromLocal8Bit(driver.readAllStandardError());
    if (driver.exitStatus() == QProcess::NormalExit)
        run.exitCode = driver.exitCode();
    run.killed = kill && driver.exitStatus() == QProcess::CrashExit;
    for (size_t phase = 0; phase < run.micros.size(); ++phase) {
        run.micros.at(phase) = ReportedMicros(output, END_LINES[phase]);
        if (run.killed && output.contains(BEGIN_LINES[phase]) && run.micros.at(phase) < 0)
            run.killedIn = DriverPhase(phase);
    }
    return run;
}

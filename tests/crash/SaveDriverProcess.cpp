#include "SaveDriverProcess.h"

#include <QProcess>

#include <thread>

namespace {
constexpr int TIMEOUT_MS = 60000;

struct PhaseLines {
    QByteArray begin, end;
};

PhaseLines LinesOf(DriverPhase phase)
{
    switch (phase) {
    case DriverPhase::Open:
        return {"opening\n", "opened "};
    case DriverPhase::Save:
        return {"saving\n", "saved "};
    case DriverPhase::Close:
        break;
    }
    return {"closing\n", "closed "};
}

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

void ReadPhases(SaveDriverRun& run, const QByteArray& output)
{
    for (DriverPhase phase : {DriverPhase::Open, DriverPhase::Save, DriverPhase::Close}) {
        const PhaseLines lines = LinesOf(phase);
        run.micros.at(size_t(phase)) = ReportedMicros(output, lines.end);
        if (run.killed && output.contains(lines.begin) && run.duration(phase) < 0)
            run.killedIn = phase;
    }
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
    const QByteArray awaited = LinesOf(kill ? kill->phase : DriverPhase::Save).begin;
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
    ReadPhases(run, output);
    return run;
}

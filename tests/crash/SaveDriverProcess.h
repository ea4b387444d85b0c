#pragma once
// One run of the save driver (qv-save-driver) on a project, optionally killed with SIGKILL a given
// time after it announced the start of one of its phases.

#include <QString>

#include <array>
#include <chrono>
#include <optional>

enum class DriverPhase { Open, Save, Close };

struct DriverKill {
    DriverPhase phase;
    std::chrono::microseconds after;
};

struct SaveDriverRun {
    bool started = false; // the driver announced the phase the kill aims at (or, unkilled, the save)
    bool killed = false;  // it was still running when the kill came
    std::optional<DriverPhase> killedIn;      // the phase it had begun and not finished
    std::array<qint64, 3> micros{-1, -1, -1}; // each phase's duration as the driver measured it
    int exitCode = -1;                        // when it exited on its own
    QString errors;                           // what it wrote to stderr

    bool saved() const { return micros.at(size_t(DriverPhase::Save)) >= 0; }
};

// sessionRoot holds the driver's profile and its working-copy folder (sessionRoot + "instance/").
// refusedStep > 0: the step module refuses that step, so the driver's open leaves it out.
SaveDriverRun RunSaveDriver(const QString& projectFile, const QString& sessionRoot, int revision,
                            std::optional<DriverKill> kill, long refusedStep = -1);

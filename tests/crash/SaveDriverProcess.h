#pragma once
// One run of the save driver (qv-save-driver) on a project, optionally killed with SIGKILL a given
// time after it announced that the save starts.

#include <QString>

#include <chrono>
#include <optional>

struct SaveDriverRun {
    bool started = false;   // the driver announced the save
    bool killed = false;    // it was still running when the kill came
    bool saved = false;     // it reported the save complete
    int exitCode = -1;      // when it exited on its own
    qint64 saveMicros = -1; // the save's duration, as the driver measured it
    QString errors;         // what it wrote to stderr
};

// sessionRoot holds the driver's profile and its working-copy folder (sessionRoot + "instance/").
SaveDriverRun RunSaveDriver(const QString& projectFile, const QString& sessionRoot, int revision,
                            std::optional<std::chrono::microseconds> killAfterSaveStarts);

#pragma once
// Where a plan's user-defined simulation sequence is kept: the project folder, the plan name with
// every character a name may not hold (and every control character) replaced by "_", then
// "_User_Sim_Def_", the plan id and ".txt".

#include <QString>

QString UserSimSequenceFileName(const QString& planName, long planID);
QString UserSimSequenceFilePath(const QString& projectDir, const QString& planName, long planID);

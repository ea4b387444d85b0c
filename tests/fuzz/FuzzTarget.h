#pragma once
// A fuzz target: an entry that takes any bytes and hands them to one of the program's readers, and
// a writer of seed inputs made by the program's own writers. The same entries run under libFuzzer
// (one executable per target, clang) and in the replay driver of the test build, which feeds them
// the checked-in corpus and regression inputs.
//
// An entry returns normally whatever the bytes are. A broken rule of the reader (something written
// or removed that must not be) is reported with FuzzFailure, which aborts: libFuzzer keeps the
// input, the replay test fails.

#include <QString>

#include <cstddef>
#include <cstdint>

using FuzzEntry = void (*)(const std::uint8_t* data, std::size_t size);
using FuzzSeedWriter = void (*)(const QString& folder);

struct FuzzTarget {
    const char* name;
    FuzzEntry entry;
    FuzzSeedWriter seeds;
};

bool RegisterFuzzTarget(const FuzzTarget& target);
// The targets linked into this executable, in registration order; nullptr past the end.
const FuzzTarget* FuzzTargetAt(int index);
const FuzzTarget* FindFuzzTarget(const QString& name);

[[noreturn]] void FuzzFailure(const QString& what);
// Writes a seed file into the folder.
void WriteSeed(const QString& folder, const QString& name, const QByteArray& bytes);

#define QV_FUZZ_TARGET(name, entry, seeds)                                                                   \
    static const bool qvFuzzTarget_##name = RegisterFuzzTarget({#name, entry, seeds});

// The crash tests judge what reaches the disk: their process keeps the database layer's flushes,
// which the test entry turns off for every other area.

#include "RealDiskSyncs.h"

#include <gtest/gtest.h>

#include <optional>

namespace {
class KeepDiskSyncs : public ::testing::Environment {
    void SetUp() override { m_syncs.emplace(); }
    void TearDown() override { m_syncs.reset(); }
    std::optional<RealDiskSyncs> m_syncs;
};

[[maybe_unused]] ::testing::Environment* const keepDiskSyncs =
    ::testing::AddGlobalTestEnvironment(new KeepDiskSyncs);
} // namespace

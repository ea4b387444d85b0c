#pragma once
// The Demo project generated into a temporary folder, its project and step databases open and
// registered with a recording application object, as an open project has them.

#include "FakeAppContext.h"
#include "foundation/db/DaoDatabase.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <memory>

class RecordsetFixture : public ::testing::Test {
protected:
    static constexpr long COUPLING = 1001; // first step of both processes
    static constexpr long SALT_FORMATION = 1004;
    static constexpr long FREE_BASE = 1; // the two processes
    static constexpr long HYDROCHLORIDE = 2;

    void SetUp() override;

    QString pathOf(const QString& name) const { return m_dir.filePath(name); }
    QString stepPath(long stepID) const;
    // A second, unopened copy of the Demo in a folder of its own.
    QString writeOtherDemo(const QString& folder);
    // One value read through a private connection, independent of the sets under test.
    QVariant scalar(const QString& path, const QString& sql, const QVariantList& values = {}) const;
    long count(const QString& path, const QString& sql, const QVariantList& values = {}) const;
    // Id of the first recipe row of that type in the step, in recipe order.
    long firstItemID(long stepID, const QString& type) const;

    QTemporaryDir m_dir;
    FakeAppContext m_app;
    CDaoDatabase m_projectDb;
    std::map<long, std::unique_ptr<CDaoDatabase>> m_stepDbs;
};

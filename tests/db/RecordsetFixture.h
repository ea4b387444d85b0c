#pragma once
// The Demo project generated into a temporary folder, its project and step databases open and
// registered with a recording application object, as an open project has them. Both language
// preference tables hold a row (English, and German in the temporary one).

#include "DbFixture.h"
#include "FakeAppContext.h"
#include "foundation/db/connection/DaoDatabase.h"

#include <gtest/gtest.h>
#include <map>
#include <memory>

class RecordsetFixture : public DbFixture {
protected:
    static constexpr long COUPLING = 1001; // first step of both processes
    static constexpr long SALT_FORMATION = 1004;
    static constexpr long FREE_BASE = 1; // the two processes
    static constexpr long HYDROCHLORIDE = 2;

    void SetUp() override;

    QString stepPath(long stepID) const;
    // A second, unopened copy of the Demo in a folder of its own.
    QString writeOtherDemo(const QString& folder);
    // Id of the first recipe row of that type in the step, in recipe order.
    long firstItemID(long stepID, const QString& type) const;

    FakeAppContext m_app;
    CDaoDatabase& m_projectDb = *(m_app.fileSet().projectDatabase = std::make_unique<CDaoDatabase>());
    std::map<long, CDaoDatabase*> m_stepDbs; // owned by the registry
};

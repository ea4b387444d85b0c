#include "foundation/db/ReadTimeGuard.h"

#include "foundation/db/DaoDatabase.h"

#include <QSqlDriver>
#include <sqlite3.h>

namespace {
// Virtual-machine steps between two looks at the clock: well under a millisecond of work.
constexpr int STEPS_BETWEEN_CHECKS = 10000;
} // namespace

CReadTimeGuard::CReadTimeGuard(CDaoDatabase& database, int milliseconds) : m_deadline(milliseconds)
{
    const QSqlDatabase handle = database.Connection().database();
    const QVariant engine = handle.driver() ? handle.driver()->handle() : QVariant();
    if (engine.isValid() && qstrcmp(engine.typeName(), "sqlite3*") == 0)
        m_engine = *static_cast<sqlite3* const*>(engine.constData());
    if (m_engine)
        sqlite3_progress_handler(m_engine, STEPS_BETWEEN_CHECKS, &CReadTimeGuard::Check, this);
}

CReadTimeGuard::~CReadTimeGuard()
{
    if (m_engine)
        sqlite3_progress_handler(m_engine, 0, nullptr, nullptr);
}

int CReadTimeGuard::Check(void* guard)
{
    auto* self = static_cast<CReadTimeGuard*>(guard);
    self->m_interrupted = self->m_interrupted || self->m_deadline.hasExpired();
    return self->m_interrupted ? 1 : 0;
}

#include "planning/PlanCopyNamer.h"

QString PlanCopyNamer::NextName(const QString& sourceName, const IsTaken& taken)
{
    if (sourceName.compare(m_lastSource, Qt::CaseInsensitive) != 0) {
        m_lastSource = sourceName;
        m_counter = 0;
    }
    QString candidate;
    do {
        ++m_counter;
        candidate = m_lastSource + QStringLiteral(" copy (%1)").arg(m_counter);
    } while (taken && taken(candidate));
    return candidate;
}

PlanCopyNamer& PlanCopyNamer::Shared()
{
    static PlanCopyNamer namer;
    return namer;
}

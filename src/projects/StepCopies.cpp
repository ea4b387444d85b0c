#include "projects/StepCopies.h"

void CStepCopies::Add(long stepID, const QString& source, const QString& target)
{
    m_batch.Add(source, target);
    m_index.insert(stepID, m_added++);
}

QString CStepCopies::Take(long stepID)
{
    Q_ASSERT(Contains(stepID));
    return m_batch.Take(m_index.take(stepID));
}

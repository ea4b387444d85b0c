#pragma once
// A campaign row of a plan; its properties are placeholders.

#include "automation/AutomationObject.h"

class CQVLineItem : public CAutomationObject {
public:
    CQVLineItem(const QString& processName, const QString& processVersion, const QString& stepName,
                const QString& stepVersion)
        : m_processName(processName), m_processVersion(processVersion), m_stepName(stepName),
          m_stepVersion(stepVersion)
    {
    }
    const CAutomationMemberTable& Members() const override;

    QString m_processName, m_processVersion, m_stepName, m_stepVersion;
};

#pragma once
// A process of the project, its steps, and the frame's simulation and report for it.

#include "automation/AutomationObject.h"

class CQVSteps;

class CQVProcess : public CAutomationObject {
public:
    CQVProcess(const QString& name, const QString& version) : m_name(name), m_version(version) {}
    static std::shared_ptr<CQVProcess> Create(const QString& name, const QString& version);
    const CAutomationMemberTable& Members() const override;
    long PathElementID() const override { return m_processID; }
    void Detach() override;
    const std::shared_ptr<CQVSteps>& Steps() const { return m_steps; }
    QString DisplayName() const { return m_name + QStringLiteral(" (") + m_version + QLatin1Char(')'); }
    // The collection that made it with Add; a built process has none.
    void SetCreatingCollection(const std::shared_ptr<CAutomationObject>& collection) { m_creator = collection; }

    QString m_name;
    QString m_version;
    long m_processID = -1;
    long m_keyRawMaterialID = -1, m_finalProductID = -1, m_outputUOMSetID = -1;
    QString m_description;
    double m_startDateTime = 0;

private:
    std::shared_ptr<CQVSteps> m_steps;
    std::weak_ptr<CAutomationObject> m_creator;
};

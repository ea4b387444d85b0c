#pragma once
// A step of a process: its names, what the build read from its database, its unit procedures,
// and the frame's simulation, report, chart and scaling for it.

#include "automation/AutomationObject.h"

class CQVUnitProcedures;

class CQVStep : public CAutomationObject {
public:
    CQVStep(const QString& name, const QString& version) : m_name(name), m_version(version) {}
    static std::shared_ptr<CQVStep> Create(const QString& name, const QString& version);
    const CAutomationMemberTable& Members() const override;
    long PathElementID() const override { return m_stepID; }
    void Detach() override;
    const std::shared_ptr<CQVUnitProcedures>& UnitProcedures() const { return m_unitProcedures; }
    // "Name (Version)", the frame's context label.
    QString DisplayName() const { return m_name + QStringLiteral(" (") + m_version + QLatin1Char(')'); }
    long ScaleRecipe(long target, const AutomationArgs& args);

    QString m_name;
    QString m_version;
    long m_stepID = -1;
    long m_plantID = -1;
    long m_keyInputID = -1, m_keyOutputID = -1;
    long m_input2ID = -1, m_input3ID = -1, m_output2ID = -1, m_output3ID = -1;
    long m_inputUOMSetID = -1, m_outputUOMSetID = -1;
    bool m_cleaning = false;
    QString m_description, m_templatePath, m_batchSizeBasis;
    double m_startDateTime = 0;

private:
    std::shared_ptr<CQVUnitProcedures> m_unitProcedures;
};

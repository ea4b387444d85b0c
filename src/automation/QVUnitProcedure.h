#pragma once
// A unit procedure of a step's recipe and its operations. Name, comments and the hidden state
// are written through to the step database.

#include "automation/AutomationObject.h"

class CQVOperations;

class CQVUnitProcedure : public CAutomationObject {
public:
    CQVUnitProcedure(const QString& name, long primaryEquipmentID)
        : m_name(name), m_primaryEquipmentID(primaryEquipmentID)
    {
    }
    static std::shared_ptr<CQVUnitProcedure> Create(const QString& name, long primaryEquipmentID);
    const CAutomationMemberTable& Members() const override;
    long PathElementID() const override { return m_unitProcedureID; }
    void Detach() override;
    const std::shared_ptr<CQVOperations>& Operations() const { return m_operations; }

    void PutName(const QString& name);
    void PutComments(const QString& comments);
    // Its operations take the same flag, as the recipe does.
    void Hide(bool hide);

    QString m_name;
    QString m_comments;
    long m_stepID = -1;
    long m_unitProcedureID = -1;
    long m_primaryEquipmentID;
    long m_recipeSequenceNumber = -1;
    bool m_hidden = false;

private:
    std::shared_ptr<CQVOperations> m_operations;
};

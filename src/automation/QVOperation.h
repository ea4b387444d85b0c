#pragma once
// An operation of a unit procedure: its type, model, texts, hidden state and parameter groups.

#include "automation/AutomationObject.h"

class CQVGroups;

class CQVOperation : public CAutomationObject {
public:
    CQVOperation(long operationType, long model) : m_operationType(operationType), m_model(model) {}
    static std::shared_ptr<CQVOperation> Create(long operationType, long model);
    const CAutomationMemberTable& Members() const override;
    long PathElementID() const override { return m_operationID; }
    void Detach() override;
    const std::shared_ptr<CQVGroups>& Groups() const { return m_groups; }

    // Every group goes, with its fields and ranges (each stays usable, detached).
    void RemoveAllGroups();
    // RecipeText and RangeText read again from the operation's row (after a parameter was written).
    void RereadTexts();
    void PutModel(long model);
    void Hide(bool hide);

    long m_stepID = -1;
    long m_operationType;
    long m_model;
    long m_operationID = -1;
    long m_recipeSequenceNumber = -1;
    QString m_recipeText;
    QString m_rangeText;
    QString m_comments;
    QString m_label;
    bool m_hidden = false;

private:
    std::shared_ptr<CQVGroups> m_groups;
};

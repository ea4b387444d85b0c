#include "automation/QVOperation.h"

#include "automation/AutomationOutcome.h"
#include "automation/QVGroups.h"
#include "foundation/db/step/OperationSet.h"

using V = CAutomationVariant;

std::shared_ptr<CQVOperation> CQVOperation::Create(long operationType, long model)
{
    auto operation = std::make_shared<CQVOperation>(operationType, model);
    operation->m_groups = std::make_shared<CQVGroups>();
    operation->m_groups->SetOwner(operation);
    return operation;
}

const CAutomationMemberTable& CQVOperation::Members() const
{
    static const CAutomationMemberTable table =
        MemberTableBuilder<CQVOperation>(QStringLiteral("CQVOperation"))
            .property("Operation", VT_I4, [](CQVOperation& o) { return V::Long(o.m_operationType); })
            .property("Model", VT_I4, [](CQVOperation& o) { return V::Long(o.m_model); },
                      [](CQVOperation& o, const V& v) { o.PutModel(v.longValue()); })
            .property("Index", VT_I4, [](CQVOperation&) { return V::Long(0); })
            .property("QuorvantaLabel", VT_BSTR, [](CQVOperation& o) { return V::Text(o.m_label); })
            .property("RecipeText", VT_BSTR, [](CQVOperation& o) { return V::Text(o.m_recipeText); })
            .property("RangeText", VT_BSTR, [](CQVOperation& o) { return V::Text(o.m_rangeText); })
            .property("Comments", VT_BSTR, [](CQVOperation& o) { return V::Text(o.m_comments); },
                      [](CQVOperation& o, const V& v) { o.m_comments = v.text(); })
            .property("RecipeSequenceNumber", VT_I4, [](CQVOperation& o) { return V::Long(o.m_recipeSequenceNumber); })
            .method("Hide", VT_EMPTY, {VT_BOOL}, {"hide"},
                    [](CQVOperation& o, const AutomationArgs& a) {
                        o.Hide(a[0].boolValue());
                        return V();
                    })
            .method("Groups", VT_DISPATCH, [](CQVOperation& o, const AutomationArgs&) { return AutObject(o.m_groups); })
            .method("Parent", VT_DISPATCH, [](CQVOperation&, const AutomationArgs&) { return AutObject(nullptr); })
            .build();
    return table;
}

void CQVOperation::Detach()
{
    CAutomationObject::Detach();
    m_groups->Detach();
}

void CQVOperation::RemoveAllGroups()
{
    m_groups->Clear();
}

void CQVOperation::RereadTexts()
{
    COperationSet row;
    if (!row.OpenSet(m_stepID, m_operationID) || row.IsEOF())
        return;
    m_recipeText = row.GetText(QStringLiteral("RecipeText"));
    m_rangeText = row.GetText(QStringLiteral("RangeText"));
}

void CQVOperation::PutModel(long model)
{
    if (model == m_model)
        return;
    if (model == -1)
        RefuseMarker(QStringLiteral("Model"));
    RequireWritten(UpdateOperationModel(m_stepID, m_operationID, model), QStringLiteral("operation"));
    m_model = model;
}

void CQVOperation::Hide(bool hide)
{
    if (hide == m_hidden)
        return;
    RequireWritten(SetRecipeItemHidden(m_stepID, m_operationID, QStringLiteral("Operation"), hide),
                   QStringLiteral("operation"));
    m_hidden = hide;
}

#include "automation/QVUnitProcedure.h"

#include "automation/AutomationOutcome.h"
#include "automation/QVOperations.h"

using V = CAutomationVariant;

std::shared_ptr<CQVUnitProcedure> CQVUnitProcedure::Create(const QString& name, long primaryEquipmentID)
{
    auto unitProcedure = std::make_shared<CQVUnitProcedure>(name, primaryEquipmentID);
    unitProcedure->m_operations = std::make_shared<CQVOperations>();
    unitProcedure->m_operations->SetOwner(unitProcedure);
    return unitProcedure;
}

const CAutomationMemberTable& CQVUnitProcedure::Members() const
{
    static const CAutomationMemberTable table =
        MemberTableBuilder<CQVUnitProcedure>(QStringLiteral("CQVUnitProcedure"))
            .property("Name", VT_BSTR, [](CQVUnitProcedure& u) { return V::Text(u.m_name); },
                      [](CQVUnitProcedure& u, const V& v) { u.PutName(v.text()); })
            .property("PrimaryEquipmentUnit", VT_I4, [](CQVUnitProcedure& u) { return V::Long(u.m_primaryEquipmentID); })
            .ignoredPut("Index", VT_I4, [](CQVUnitProcedure&) { return V::Long(0); })
            .property("Comments", VT_BSTR, [](CQVUnitProcedure& u) { return V::Text(u.m_comments); },
                      [](CQVUnitProcedure& u, const V& v) { u.PutComments(v.text()); })
            .property("RecipeSequenceNumber", VT_I4,
                      [](CQVUnitProcedure& u) { return V::Long(u.m_recipeSequenceNumber); })
            .method("Operations", VT_DISPATCH,
                    [](CQVUnitProcedure& u, const AutomationArgs&) { return AutObject(u.m_operations); })
            .method("Hide", VT_EMPTY, {VT_BOOL}, {"hide"},
                    [](CQVUnitProcedure& u, const AutomationArgs& a) {
                        u.Hide(a[0].boolValue());
                        return V();
                    })
            .method("Parent", VT_DISPATCH, [](CQVUnitProcedure&, const AutomationArgs&) { return AutObject(nullptr); })
            .build();
    return table;
}

void CQVUnitProcedure::Detach()
{
    CAutomationObject::Detach();
    m_operations->Detach();
}

void CQVUnitProcedure::PutName(const QString& name)
{
    if (name.compare(m_name, Qt::CaseInsensitive) == 0)
        return;
    if (name.isEmpty())
        RefuseMarker(QStringLiteral("Name"));
    RequireWritten(UpdateUnitProcedureData(m_stepID, m_unitProcedureID, name, -1, QString()),
                   QStringLiteral("unit procedure"));
    m_name = name;
}

void CQVUnitProcedure::PutComments(const QString& comments)
{
    if (comments.compare(m_comments, Qt::CaseInsensitive) == 0)
        return;
    if (comments.isEmpty())
        RefuseMarker(QStringLiteral("Comments"));
    RequireWritten(UpdateUnitProcedureData(m_stepID, m_unitProcedureID, QString(), -1, comments),
                   QStringLiteral("unit procedure"));
    m_comments = comments;
}

void CQVUnitProcedure::Hide(bool hide)
{
    if (hide == m_hidden)
        return;
    RequireWritten(SetRecipeItemHidden(m_stepID, m_unitProcedureID, QStringLiteral("Unit Procedure"), hide),
                   QStringLiteral("unit procedure"));
    m_hidden = hide;
    for (const auto& operation : m_operations->Elements())
        operation->m_hidden = hide;
}

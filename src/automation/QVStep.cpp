#include "automation/QVStep.h"

#include "automation/AutomationOutcome.h"
#include "automation/QVUnitProcedures.h"

using V = CAutomationVariant;

namespace {
// The placeholders: an empty value, a put that does nothing.
void addEmptyVariant(MemberTableBuilder<CQVStep>& b, const QString& name)
{
    b.ignoredPut(name, VT_VARIANT, [](CQVStep&) { return V(); });
}

template <typename T> T convertedOr(const CAutomationVariant& value, VarType type, T fallback, T (*read)(const V&))
{
    V out;
    return value.ChangeType(type, &out) ? read(out) : fallback;
}
} // namespace

std::shared_ptr<CQVStep> CQVStep::Create(const QString& name, const QString& version)
{
    auto step = std::make_shared<CQVStep>(name, version);
    step->m_unitProcedures = std::make_shared<CQVUnitProcedures>();
    step->m_unitProcedures->SetOwner(step);
    return step;
}

const CAutomationMemberTable& CQVStep::Members() const
{
    static const CAutomationMemberTable table = [] {
        MemberTableBuilder<CQVStep> b(QStringLiteral("CQVStep"));
        b.property("Name", VT_BSTR, [](CQVStep& s) { return V::Text(s.m_name); });
        b.property("Version", VT_BSTR, [](CQVStep& s) { return V::Text(s.m_version); });
        for (const char* name : {"Facility", "KeyInput", "KeyOutput", "InputUOM", "OutputUOM"})
            addEmptyVariant(b, QString::fromLatin1(name));
        b.ignoredPut("Index", VT_I4, [](CQVStep&) { return V::Long(0); });
        b.ignoredPut("CleaningStep", VT_BOOL, [](CQVStep& s) { return V::Bool(s.m_cleaning); });
        addEmptyVariant(b, "StartDateTime");
        b.ignoredPut("OperatingInstructionTemplate", VT_BSTR, [](CQVStep&) { return V::Text(QString()); });
        for (const char* name : {"SecondInput", "ThirdInput", "SecondOutput", "ThirdOutput"})
            addEmptyVariant(b, QString::fromLatin1(name));
        b.ignoredPut("BatchSizeBasis", VT_BSTR, [](CQVStep&) { return V::Text(QString()); });
        b.ignoredPut("Comments", VT_BSTR, [](CQVStep&) { return V::Text(QString()); });
        addEmptyVariant(b, "Cell1");
        addEmptyVariant(b, "Cell2");
        b.method("Simulate", VT_I4, [](CQVStep& s, const AutomationArgs&) {
            RequireDone(GetAutomationFrameServices().AutomationSimulateStep(s.m_stepID, s.DisplayName()));
            return V::Long(0);
        });
        b.method("UnitProcedures", VT_DISPATCH,
                 [](CQVStep& s, const AutomationArgs&) { return AutObject(s.m_unitProcedures); });
        b.method("Results", VT_BOOL, {VT_I4}, {"reportCode"}, [](CQVStep& s, const AutomationArgs& a) {
            RequireDone(GetAutomationFrameServices().AutomationExcelReport("Step", int(a[0].longValue()), s.m_stepID));
            return V::Bool(true);
        });
        b.method("Parent", VT_DISPATCH, [](CQVStep&, const AutomationArgs&) { return AutObject(nullptr); });
        b.method("ShowGanttChart", VT_EMPTY, [](CQVStep& s, const AutomationArgs&) {
            RequireDone(GetAutomationFrameServices().AutomationShowGanttChart("Step", s.DisplayName(), s.m_stepID));
            return V();
        });
        b.method("ScaleRecipe", VT_I4, {VT_I4, VT_VARIANT, VT_VARIANT, VT_VARIANT, VT_VARIANT},
                 {"target", "option", "value", "unit", "value2"}, [](CQVStep& s, const AutomationArgs& a) {
                     return V::Long(s.ScaleRecipe(a[0].longValue(), a));
                 });
        return b.build();
    }();
    return table;
}

void CQVStep::Detach()
{
    CAutomationObject::Detach();
    m_unitProcedures->Detach();
}

// Each VARIANT argument converts or keeps its default (-1, 0.0, "").
long CQVStep::ScaleRecipe(long target, const AutomationArgs& args)
{
    const long option = convertedOr<long>(args[1], VT_I4, -1, [](const V& v) { return v.longValue(); });
    const double value = convertedOr<double>(args[2], VT_R8, 0.0, [](const V& v) { return v.doubleValue(); });
    const QString unit = convertedOr<QString>(args[3], VT_BSTR, QString(), [](const V& v) { return v.text(); });
    const double value2 = convertedOr<double>(args[4], VT_R8, 0.0, [](const V& v) { return v.doubleValue(); });
    RequireDone(GetAutomationFrameServices().AutomationScaleRecipe(m_stepID, DisplayName(), target, option, value,
                                                                   unit, value2));
    return 0;
}

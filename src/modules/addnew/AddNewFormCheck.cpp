#include "modules/addnew/AddNewFormCheck.h"

QString ProcessFormProblem(const ProcessForm& form)
{
    if (form.name.trimmed().isEmpty() || form.version.trimmed().isEmpty())
        return QStringLiteral("Please enter the process name and its version.");
    return {};
}

// A linked step keeps its own names. START is the root of the step transitions, never a step.
QString StepFormProblem(const StepForm& form)
{
    if (form.linkStepID != -1)
        return {};
    if (form.name.trimmed().isEmpty() || form.version.trimmed().isEmpty())
        return QStringLiteral("Please enter the step name and its version.");
    if (form.name.trimmed().compare(QLatin1String("START"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("START is reserved; please choose another step name.");
    return {};
}

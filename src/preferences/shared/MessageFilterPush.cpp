#include "preferences/shared/MessageFilterPush.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/project/MessageOptionsSet.h"
#include "modules/errmsg/ErrMsgEntry.h"
#include "modules/errmsg/MessageCatalogue.h"
#include "modules/qvdataio/InterfaceHiddenMessageData.h"

namespace {
void ApplyMessageOption(const CMessageOptionsSet& set, MessageOptionValues& values)
{
    const QString name = set.GetText("Options");
    const long value = set.GetLong("Value");
    const auto is = [&name](const char* option) {
        return name.compare(QLatin1String(option), Qt::CaseInsensitive) == 0;
    };
    if (is("Notes"))
        values.notes = value;
    else if (is("Defaults"))
        values.defaults = value;
    else if (is("Warnings"))
        values.warnings = value;
    else if (is("WarningLevel"))
        values.warningLevel = value;
    else if (is("WarningLevelOption"))
        values.level = value;
    else if (is("WarningType"))
        values.warningType = value;
    else if (is("WarningTypeID") && value < 3)
        values.categories.Add(value);
}
} // namespace

bool ReadMessageOptions(MessageOptionValues& values, bool showFailure)
{
    CMessageOptionsSet set;
    if (!set.OpenSet()) {
        if (showFailure)
            QvMessageBox(QStringLiteral("Can't open the Message Options table for initialization!"));
        return false;
    }
    for (; !set.IsEOF(); set.MoveNext())
        if (!set.IsFieldNull("Value"))
            ApplyMessageOption(set, values);
    set.CloseSet();
    return true;
}

void PushMessageFilter(const MessageOptionValues& values)
{
    CErrMsgEntry entry;
    entry.setDisplayNotes(values.notes);
    entry.setDisplayDefaults(values.defaults);
    entry.setDisplayWarnings(values.warnings);
    const bool levelChosen = values.level != -999999999;
    entry.setMaxWarningLevel(values.warningLevel && levelChosen ? values.level : NO_WARNING_LEVEL_LIMIT);
    entry.setDisplayOperational(!values.warningType || values.categories.Contains(SOURCE_OPERATIONAL));
    entry.setDisplayEnvironmental(!values.warningType || values.categories.Contains(SOURCE_ENVIRONMENTAL));
}

void PushProjectMessageFilter()
{
    CMessageCatalogue& catalogue = CMessageCatalogue::Instance();
    catalogue.Clear();
    CDaoDatabase* database = GetProjectDatabase();
    if (!database || !database->IsOpen())
        return;
    catalogue.Load(*database);
    MessageOptionValues values;
    if (ReadMessageOptions(values, false))
        PushMessageFilter(values);
    Array<long> hidden;
    if (CInterfaceHiddenMessageData().getAllHiddenMessageData(hidden))
        catalogue.SetHiddenIDs(QSet<long>(hidden.begin(), hidden.end()));
}

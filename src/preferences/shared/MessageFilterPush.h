#pragma once
// The message options of the open project pushed to the error-message module's filter: at project
// open from [MessageOptions] and the hidden ids, and by the Errors and Warnings page's save.

#include "foundation/common/Array.h"

struct MessageOptionValues {
    bool notes = false, defaults = false, warnings = false;
    bool warningLevel = false; // "Warning level severity"
    long level = -999999999;   // none chosen
    bool warningType = false;  // categories limited
    Array<long> categories;    // 1 Operational, 2 Environmental
};

// Reads [MessageOptions]; false when it does not open (after its message when show is set).
bool ReadMessageOptions(MessageOptionValues& values, bool showFailure);
// Sets the module's display filter from the values.
void PushMessageFilter(const MessageOptionValues& values);
// At project open: the catalogue, the stored options and the hidden ids.
void PushProjectMessageFilter();

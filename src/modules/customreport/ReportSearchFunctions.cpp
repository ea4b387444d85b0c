#include "modules/customreport/ReportSearchFunctions.h"

#include <cstring>
#include <memory>
#include <new>
#include <string>

#include <sqlite3.h>

namespace {
// Work between two looks at the stop check: bytes compared plus a fixed share per position, so a
// short pattern is checked every few thousand positions and a long one about every megabyte.
constexpr long long WORK_BETWEEN_CHECKS = 1 << 20;
constexpr long long WORK_PER_POSITION = 256;

class StopCheck {
public:
    explicit StopCheck(sqlite3_context* context)
        : m_stop(*static_cast<const ReportSearchStop*>(sqlite3_user_data(context)))
    {
    }
    // Counts one position compared over up to `bytes` bytes: whether the call must stop.
    bool Stopped(int bytes)
    {
        m_left -= WORK_PER_POSITION + bytes;
        if (m_left > 0)
            return false;
        m_left = WORK_BETWEEN_CHECKS;
        return m_stop.stopped(m_stop.data) != 0;
    }

private:
    const ReportSearchStop& m_stop;
    long long m_left = WORK_BETWEEN_CHECKS;
};

void FailInterrupted(sqlite3_context* context)
{
    sqlite3_result_error(context, "interrupted", -1);
    sqlite3_result_error_code(context, SQLITE_INTERRUPT);
}

bool ContinuesACharacter(unsigned char byte)
{
    return (byte & 0xc0) == 0x80;
}

using ValueCopy = std::unique_ptr<sqlite3_value, void (*)(sqlite3_value*)>;

// instr()'s arguments as the engine reads them: two blobs as bytes, anything else as text, a blob
// beside a text through a copy read as text. The sizes are taken before the bytes, as it does.
struct SearchOperands {
    const unsigned char* haystack = nullptr;
    const unsigned char* needle = nullptr;
    int haystackBytes = 0;
    int needleBytes = 0;
    bool text = true;
    ValueCopy haystackCopy{nullptr, sqlite3_value_free};
    ValueCopy needleCopy{nullptr, sqlite3_value_free};
};

// False when memory runs out.
bool ReadSearchOperands(sqlite3_value** values, int haystackType, int needleType, SearchOperands& o)
{
    if (haystackType == SQLITE_BLOB && needleType == SQLITE_BLOB) {
        o.haystack = static_cast<const unsigned char*>(sqlite3_value_blob(values[0]));
        o.needle = static_cast<const unsigned char*>(sqlite3_value_blob(values[1]));
        o.text = false;
    } else if (haystackType != SQLITE_BLOB && needleType != SQLITE_BLOB) {
        o.haystack = sqlite3_value_text(values[0]);
        o.needle = sqlite3_value_text(values[1]);
    } else {
        o.haystackCopy.reset(sqlite3_value_dup(values[0]));
        o.haystack = sqlite3_value_text(o.haystackCopy.get());
        if (!o.haystack)
            return false;
        o.haystackBytes = sqlite3_value_bytes(o.haystackCopy.get());
        o.needleCopy.reset(sqlite3_value_dup(values[1]));
        o.needle = sqlite3_value_text(o.needleCopy.get());
        o.needleBytes = sqlite3_value_bytes(o.needleCopy.get());
    }
    return o.needle && (o.haystackBytes == 0 || o.haystack);
}

// Where the needle first stands in the haystack, from 1, in characters of text or bytes of a blob;
// 0 where it does not; -1 when stopped. The needle is not empty.
int SearchPosition(const SearchOperands& o, StopCheck& stop)
{
    const unsigned char* at = o.haystack;
    int left = o.haystackBytes;
    int position = 1;
    while (o.needleBytes <= left &&
           (*at != *o.needle || std::memcmp(at, o.needle, std::size_t(o.needleBytes)) != 0)) {
        if (stop.Stopped(o.needleBytes))
            return -1;
        ++position;
        do { // text ends in a zero byte, which continues no character
            --left;
            ++at;
        } while (o.text && ContinuesACharacter(*at));
    }
    return o.needleBytes <= left ? position : 0;
}

void ReportInstr(sqlite3_context* context, int, sqlite3_value** values)
{
    const int haystackType = sqlite3_value_type(values[0]), needleType = sqlite3_value_type(values[1]);
    if (haystackType == SQLITE_NULL || needleType == SQLITE_NULL)
        return;
    SearchOperands operands;
    operands.haystackBytes = sqlite3_value_bytes(values[0]);
    operands.needleBytes = sqlite3_value_bytes(values[1]);
    if (operands.needleBytes <= 0) {
        sqlite3_result_int(context, 1);
        return;
    }
    if (!ReadSearchOperands(values, haystackType, needleType, operands)) {
        sqlite3_result_error_nomem(context);
        return;
    }
    StopCheck stop(context);
    const int position = SearchPosition(operands, stop);
    if (position < 0)
        FailInterrupted(context);
    else
        sqlite3_result_int(context, position);
}

struct Replacement {
    const unsigned char* text;
    int textBytes;
    const unsigned char* pattern; // not empty
    int patternBytes;
    const unsigned char* with;
    int withBytes;
};

// Each pattern in the text, left to right, replaced; a result past the value limit fails.
void ReplaceEach(sqlite3_context* context, const Replacement& r)
{
    const long long longest = sqlite3_limit(sqlite3_context_db_handle(context), SQLITE_LIMIT_LENGTH, -1);
    StopCheck stop(context);
    std::string out;
    out.reserve(std::size_t(r.textBytes));
    long long length = r.textBytes; // the result's, once the replacements so far are made
    int copied = 0;                 // the text before it is in out
    for (int i = 0; i <= r.textBytes - r.patternBytes; ++i) {
        if (stop.Stopped(r.patternBytes))
            return FailInterrupted(context);
        if (r.text[i] != r.pattern[0] || std::memcmp(r.text + i, r.pattern, std::size_t(r.patternBytes)) != 0)
            continue;
        if (r.withBytes > r.patternBytes && (length += r.withBytes - r.patternBytes) > longest)
            return sqlite3_result_error_toobig(context);
        out.append(reinterpret_cast<const char*>(r.text) + copied, std::size_t(i - copied));
        out.append(reinterpret_cast<const char*>(r.with), std::size_t(r.withBytes));
        i += r.patternBytes - 1;
        copied = i + 1;
    }
    out.append(reinterpret_cast<const char*>(r.text) + copied, std::size_t(r.textBytes - copied));
    sqlite3_result_text64(context, out.data(), out.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
}

void ReportReplace(sqlite3_context* context, int, sqlite3_value** values)
{
    const unsigned char* text = sqlite3_value_text(values[0]);
    if (!text)
        return;
    const int textBytes = sqlite3_value_bytes(values[0]);
    const unsigned char* pattern = sqlite3_value_text(values[1]);
    if (!pattern)
        return;
    if (!pattern[0]) { // an empty pattern, or one whose first byte is zero, replaces nothing
        sqlite3_result_text(context, reinterpret_cast<const char*>(text), textBytes, SQLITE_TRANSIENT);
        return;
    }
    const int patternBytes = sqlite3_value_bytes(values[1]);
    const unsigned char* with = sqlite3_value_text(values[2]);
    if (!with)
        return;
    try {
        ReplaceEach(context, {text, textBytes, pattern, patternBytes, with, sqlite3_value_bytes(values[2])});
    } catch (const std::bad_alloc&) {
        sqlite3_result_error_nomem(context);
    }
}
} // namespace

bool InstallReportSearchFunctions(sqlite3* db, const ReportSearchStop* stop)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    void* data = const_cast<ReportSearchStop*>(stop);
    const auto put = [&](const char* name, int arguments, void (*call)(sqlite3_context*, int, sqlite3_value**)) {
        return sqlite3_create_function_v2(db, name, arguments, flags, data, call, nullptr, nullptr, nullptr) ==
               SQLITE_OK;
    };
    return put("instr", 2, ReportInstr) && put("replace", 3, ReportReplace);
}

#include "modules/customreport/ReportFormatFunctions.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstring>
#include <vector>

#include <sqlite3.h>

namespace {
// What may stand between "%" and its conversion, besides digits, "*" and ".".
constexpr const char* FLAGS = "-+ #!0,l";
// The conversions that take an argument ("%%" and "%n" take none).
constexpr const char* TAKING_AN_ARGUMENT = "dsgzqQwcouxXfeEGipr";

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads the number at c, leaving c on its last digit: whether it passes longest.
bool NumberPasses(const char*& c, long long longest)
{
    for (long long value = 0;; ++c) {
        value = std::min(value * 10 + (*c - '0'), longest + 1);
        if (!IsDigit(c[1]))
            return value > longest;
    }
}
} // namespace

ReportFormatFunctions::~ReportFormatFunctions()
{
    for (const auto& [arguments, statement] : m_statements)
        sqlite3_finalize(statement);
    sqlite3_close_v2(m_engine);
}

bool ReportFormatFunctions::InstallOn(sqlite3* db)
{
    if (!m_engine)
        return false;
    sqlite3_limit(m_engine, SQLITE_LIMIT_LENGTH, int(m_longest));
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    for (Binding& binding : m_bindings)
        if (sqlite3_create_function_v2(db, binding.name, -1, flags, &binding, Call, nullptr, nullptr, nullptr) !=
            SQLITE_OK)
            return false;
    return true;
}

bool ReportFormatFunctions::TooWide(const char* format, const long long* arguments, int count, long long longest)
{
    int used = 0;
    const auto next = [&] { return used < count ? arguments[used++] : 0LL; };
    for (const char* c = format; c && *c; ++c) {
        if (*c != '%')
            continue;
        for (++c; *c && (*c == '*' || *c == '.' || IsDigit(*c) || std::strchr(FLAGS, *c)); ++c) {
            const long long star = *c == '*' ? next() : 0;
            if (star > longest || star < -longest || (IsDigit(*c) && NumberPasses(c, longest)))
                return true;
        }
        if (!*c)
            break;
        if (std::strchr(TAKING_AN_ARGUMENT, *c))
            next();
    }
    return false;
}

sqlite3_stmt* ReportFormatFunctions::Statement(int arguments)
{
    sqlite3_stmt*& statement = m_statements[arguments];
    if (!statement) {
        QByteArray sql = "SELECT printf(";
        for (int argument = 1; argument <= arguments; ++argument)
            sql += (argument > 1 ? ",?" : "?") + QByteArray::number(argument);
        sqlite3_prepare_v3(m_engine, sql.append(')').constData(), -1, SQLITE_PREPARE_PERSISTENT, &statement,
                           nullptr);
    }
    return statement;
}

void ReportFormatFunctions::Call(sqlite3_context* context, int count, sqlite3_value** values)
{
    const auto& binding = *static_cast<const Binding*>(sqlite3_user_data(context));
    ReportFormatFunctions& self = *binding.functions;
    std::vector<long long> arguments;
    for (int argument = 1; argument < count; ++argument)
        arguments.push_back(sqlite3_value_int64(values[argument]));
    const auto* format = count > 0 ? reinterpret_cast<const char*>(sqlite3_value_text(values[0])) : nullptr;
    if (TooWide(format, arguments.data(), int(arguments.size()), self.m_longest)) {
        const QByteArray message =
            QStringLiteral("%1() takes no width or precision above %2").arg(binding.name).arg(self.m_longest).toUtf8();
        sqlite3_result_error(context, message.constData(), int(message.size()));
        return;
    }
    sqlite3_stmt* statement = self.Statement(count);
    if (!statement) {
        sqlite3_result_error(context, sqlite3_errmsg(self.m_engine), -1);
        return;
    }
    for (int argument = 0; argument < count; ++argument)
        sqlite3_bind_value(statement, argument + 1, values[argument]);
    if (sqlite3_step(statement) == SQLITE_ROW)
        sqlite3_result_value(context, sqlite3_column_value(statement, 0));
    else
        sqlite3_result_error(context, sqlite3_errmsg(self.m_engine), -1);
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
}

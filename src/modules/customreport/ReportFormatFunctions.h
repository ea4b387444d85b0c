#pragma once
// printf() and format() for a report connection. The engine's own formatting repeats a "%c" once
// per unit of precision without ever reaching the stop check, so a precision near 2^31 holds a
// report for many seconds that Cancel cannot end. These replacements refuse a width or precision
// above the longest value a statement may build, and otherwise hand the call to the engine's own
// function on a private in-memory connection, so the result is the engine's to the byte.

#include <map>

struct sqlite3;
struct sqlite3_context;
struct sqlite3_stmt;
struct sqlite3_value;

class ReportFormatFunctions {
public:
    // engine: the private connection, closed with this.
    ReportFormatFunctions(sqlite3* engine, int longestValue) : m_longest(longestValue), m_engine(engine) {}
    ~ReportFormatFunctions();
    ReportFormatFunctions(const ReportFormatFunctions&) = delete;
    ReportFormatFunctions& operator=(const ReportFormatFunctions&) = delete;

    // Replaces printf() and format() on db; false when the engine refuses.
    bool InstallOn(sqlite3* db);

    // Whether a width or precision in format passes longest, a "*" taking its value from the
    // argument the engine would (arguments: the call's arguments after the format, as integers).
    static bool TooWide(const char* format, const long long* arguments, int count, long long longest);

private:
    struct Binding {
        ReportFormatFunctions* functions;
        const char* name;
    };
    static void Call(sqlite3_context* context, int count, sqlite3_value** values);
    sqlite3_stmt* Statement(int arguments);

    long long m_longest;
    sqlite3* m_engine;
    Binding m_bindings[2] = {{this, "printf"}, {this, "format"}};
    std::map<int, sqlite3_stmt*> m_statements; // "SELECT printf(?1, ..., ?n)" by n
};

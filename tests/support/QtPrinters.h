#pragma once
// Readable GoogleTest output for Qt values (failure messages and parameterised test names).

#include <QString>
#include <QStringList>

#include <ostream>

// Long texts are cut so that test listings stay readable.
inline void PrintTo(const QString& text, std::ostream* out)
{
    constexpr qsizetype shown = 80;
    *out << '"' << text.left(shown).toStdString() << (text.size() > shown ? "\"..." : "\"");
}

inline void PrintTo(const QStringList& texts, std::ostream* out)
{
    *out << '{' << texts.join(QStringLiteral(", ")).toStdString() << '}';
}

#pragma once
// Texts packed with bzip2 (block size 1) and written as base64, three bytes to four characters.
// Every non-empty packed text starts with the same 13 characters, which is how a packed text is
// told from a plain one. The empty text packs to the empty text.

#include <QString>

class CompressedString {
public:
    // The 13 characters every non-empty packed text starts with.
    static QString Prefix();

    // False (packed untouched) when the text cannot be packed.
    static bool Compress(const QString& text, QString& packed);
    // False (text untouched) when packed is not a well-formed packed text.
    static bool Decompress(const QString& packed, QString& text);
    static bool IsCompressed(const QString& text);
};

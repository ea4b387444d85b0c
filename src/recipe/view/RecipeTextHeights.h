#pragma once

#include <QFont>
#include <QHash>
#include <QList>
#include <QSize>
#include <QString>

// Heights of recipe texts wrapped at words, kept per font and text. A recipe repeats its texts
// (the same charge, the same keyword line), and a relayout asks again for every line: each text is
// laid out once unwrapped, and again only for a width it does not fit.
class CRecipeTextHeights {
public:
    // The text's height wrapped to width; *lineHeight takes the font's single-line height.
    int Height(const QFont& font, const QString& text, int width, int* lineHeight);
    void Clear() { m_fonts.clear(); }

private:
    struct Measured {
        QSize unwrapped;
        QHash<int, int> wrapped; // width -> height, for widths narrower than the unwrapped text
    };
    struct FontTexts {
        QFont font;
        int lineHeight = 0;
        QHash<QString, Measured> texts;
    };
    FontTexts& textsOf(const QFont& font);

    QList<FontTexts> m_fonts; // a view draws its lines in a few fonts
};

#pragma once
// How result values are printed under the project's rounding bands: with "RoundValues" on, a value
// takes the first band whose From < |v| <= To (From = the band before's upper limit, 0 for the
// first; 1e35 = no upper end) and prints with that many decimal places or significant digits.
// Without a band, with a precision out of range, or with the option off, the caller's own form
// stands.

#include <QString>
#include <vector>

struct RoundingBand {
    double upperLimit;
    QString type;
    long precision;
};

class CResultRoundingRules {
public:
    // Reads the option and the bands of the open project; unreadable ones leave rounding off.
    void Load();
    void SetRules(bool on, std::vector<RoundingBand> bands);
    bool IsOn() const { return m_on; }
    // The rounded text, or an empty text when the value is to be printed unchanged.
    QString Format(double value) const;

private:
    // A band as Format applies it: the printf conversion ('f' or 'g', 0 when the band prints
    // nothing) and its precision.
    struct Conversion {
        double upperLimit;
        char form;
        int precision;
    };

    const Conversion* ConversionOf(double value) const;

    bool m_on = false;
    std::vector<Conversion> m_conversions;
};

#pragma once
// A range of a parameter field: low and high limits with widths and units, written through to
// the step database.

#include "automation/AutomationObject.h"

class CQVRange : public CAutomationObject {
public:
    CQVRange(long rangeType, long rangeCategory) : m_rangeType(rangeType), m_rangeCategory(rangeCategory) {}
    const CAutomationMemberTable& Members() const override;
    long PathElementID() const override { return m_rangeID; }

    long m_stepID = -1;
    long m_rangeID = -1;
    long m_rangeType;
    long m_rangeCategory;
    double m_high = 1e35;
    double m_low = 1e35;
    short m_highWidth = -1;
    short m_lowWidth = -1;
    QString m_highUOM;
    QString m_lowUOM;

    // The put bodies: the new value, written through first, then stored.
    void PutLow(double value);
    void PutHigh(double value);
    void PutLowWidth(short width);
    void PutHighWidth(short width);
    void PutLowUOM(const QString& unit);
    void PutHighUOM(const QString& unit);

private:
    void WriteThrough(double low, short lowWidth, const QString& lowUOM, double high, short highWidth,
                      const QString& highUOM);
};

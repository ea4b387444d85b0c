#include "foundation/common/OleDate.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct KnownDate {
    QDateTime dateTime;
    double oleDate;
};

void PrintTo(const KnownDate& known, std::ostream* out)
{
    *out << known.dateTime.toString(Qt::ISODate).toStdString() << " = " << known.oleDate;
}

class OleDateKnown : public ::testing::TestWithParam<KnownDate> {};

QDateTime at(int y, int m, int d, int h = 0, int min = 0, int s = 0)
{
    return QDateTime(QDate(y, m, d), QTime(h, min, s));
}

} // namespace

TEST_P(OleDateKnown, ConvertsBothWays)
{
    EXPECT_DOUBLE_EQ(OleDateFromDateTime(GetParam().dateTime), GetParam().oleDate);
    EXPECT_EQ(DateTimeFromOleDate(GetParam().oleDate), GetParam().dateTime);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, OleDateKnown,
    ::testing::Values(KnownDate{at(1899, 12, 30), 0.0}, KnownDate{at(1900, 1, 1), 2.0},
                      KnownDate{at(2000, 1, 1), 36526.0}, KnownDate{at(2000, 1, 1, 18), 36526.75},
                      KnownDate{at(1899, 12, 30, 6), 0.25}, KnownDate{at(1899, 12, 29, 6), -1.25},
                      KnownDate{at(1800, 1, 1, 12), -36522.5}, KnownDate{at(9999, 12, 31), 2958465.0},
                      KnownDate{at(100, 1, 1), -657434.0}));

TEST(OleDate, AFractionRoundingUpToMidnightMovesToTheNextDay)
{
    EXPECT_EQ(DateTimeFromOleDate(36526.9999999999), at(2000, 1, 2));
    EXPECT_EQ(DateTimeFromOleDate(-1.9999999999), at(1899, 12, 28));
}

TEST(OleDate, ValuesOutsideTheCalendarAreInvalid)
{
    EXPECT_FALSE(DateTimeFromOleDate(std::nan("")).isValid());
    EXPECT_FALSE(DateTimeFromOleDate(1e35).isValid()); // the unset number
    EXPECT_FALSE(DateTimeFromOleDate(2958466.0).isValid());
    EXPECT_FALSE(DateTimeFromOleDate(-657435.0).isValid());
    EXPECT_EQ(OleDateFromDateTime(QDateTime()), 0.0);
}

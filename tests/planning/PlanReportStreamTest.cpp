// The report stream: widths for the next text only, alignment that stays, padding that never cuts,
// widths in UTF-16 units, and the bytes it writes.

#include "planning/PlanReportStream.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct StreamCase {
    const char* name;
    std::function<void(CPlanReportStream&)> write;
    QString expected; // after the byte-order mark
};

class PlanReportStreamLayout : public testing::TestWithParam<StreamCase> {};

TEST_P(PlanReportStreamLayout, PadsAsTold)
{
    CPlanReportStream out;
    GetParam().write(out);
    EXPECT_EQ(out.text(), QChar(0xFEFF) + GetParam().expected);
}

const QString kClef = QString::fromUtf8("\xF0\x9D\x84\x9E"); // one character, two UTF-16 units

INSTANTIATE_TEST_SUITE_P(
    Cases, PlanReportStreamLayout,
    testing::Values(StreamCase{"RightByDefault", [](auto& o) { o.SetWidth(5) << "ab"; }, "   ab"},
                    StreamCase{"Left", [](auto& o) { o.AlignLeft().SetWidth(5) << "ab"; }, "ab   "},
                    StreamCase{"NeverCuts", [](auto& o) { o.SetWidth(2) << "abcdef"; }, "abcdef"},
                    StreamCase{"WidthForNextTextOnly",
                               [](auto& o) {
                                   o.SetWidth(4) << "a"
                                                 << "b";
                               },
                               "   ab"},
                    StreamCase{"AlignmentStays",
                               [](auto& o) {
                                   o.AlignLeft().SetWidth(3) << "a";
                                   o.SetWidth(3) << "b";
                                   o.AlignRight().SetWidth(3) << "c";
                                   o.SetWidth(3) << "d";
                               },
                               "a  b    c  d"},
                    StreamCase{"EmptyTextPadded",
                               [](auto& o) {
                                   o.AlignLeft().SetWidth(3) << ""
                                                             << "|";
                               },
                               "   |"},
                    StreamCase{"CountsPadded", [](auto& o) { o.SetWidth(4) << 12 << 7L; }, "  127"},
                    StreamCase{"SurrogatePairCountsTwo",
                               [](auto& o) { o.AlignLeft().SetWidth(4) << "x" + kClef << "|"; },
                               "x" + kClef + " |"},
                    StreamCase{"LineEndsAsGiven",
                               [](auto& o) {
                                   o << "a\r\n"
                                     << "\n"
                                     << "b";
                               },
                               "a\r\n\nb"}),
    [](const testing::TestParamInfo<StreamCase>& info) { return info.param.name; });

TEST(PlanReportStream, BytesAreLittleEndianUnitsAfterTheMark)
{
    CPlanReportStream out;
    out << "A\r\n" << kClef << QString::fromUtf8("\xC3\xA9");
    const QByteArray expected("\xFF\xFE"
                              "A\0\r\0\n\0"
                              "\x34\xD8\x1E\xDD"
                              "\xE9\0",
                              14);
    EXPECT_EQ(out.bytes(), expected);
}

TEST(PlanReportStream, GeneralNumberFormat)
{
    EXPECT_EQ(CPlanReportStream::FormatG(0.5), "0.5");
    EXPECT_EQ(CPlanReportStream::FormatG(1234567.0), "1.23457e+06");
    EXPECT_EQ(CPlanReportStream::FormatG(600.0), "600");
}

TEST(PlanReportStream, SaveWritesTheBytesOrLeavesWhatIsThere)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("report.txt");
    CPlanReportStream out;
    out << "new";
    ASSERT_TRUE(out.SaveTo(path));
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), out.bytes());

    const QString folderInTheWay = dir.filePath("folder");
    ASSERT_TRUE(QDir().mkdir(folderInTheWay));
    EXPECT_FALSE(out.SaveTo(folderInTheWay));
    EXPECT_TRUE(QFileInfo(folderInTheWay).isDir());
    EXPECT_FALSE(out.SaveTo(dir.filePath("missing/report.txt")));
}

} // namespace

#include "foundation/common/CompressedString.h"
#include "QtPrinters.h"

#include <QByteArray>
#include <gtest/gtest.h>

namespace {

QString longText()
{
    QString text;
    for (int i = 0; i < 20000; ++i)
        text += QString("Charge %1 kg of water to R-%2.\n").arg(i * 7 % 1000).arg(i % 13);
    return text;
}

class PackedRoundTrip : public ::testing::TestWithParam<QString> {};

} // namespace

TEST_P(PackedRoundTrip, UnpacksToTheSameTextAndIsRecognised)
{
    QString packed;
    ASSERT_TRUE(CompressedString::Compress(GetParam(), packed));
    EXPECT_TRUE(CompressedString::IsCompressed(packed));
    EXPECT_TRUE(packed.startsWith(CompressedString::Prefix()));
    EXPECT_EQ(packed.size() % 4, 0); // three bytes to four characters
    QString unpacked;
    ASSERT_TRUE(CompressedString::Decompress(packed, unpacked));
    EXPECT_EQ(unpacked, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Texts, PackedRoundTrip,
                         ::testing::Values(QString("x"), QString("Heat to 80 degC"),
                                           QString::fromUtf8("Réacteur Ø 2 m – 25 °C, 反应器"), longText()),
                         [](const auto& info) { return "Text" + std::to_string(info.index); });

TEST(CompressedString, PrefixIsThirteenFixedCharactersOfTheBzip2Header)
{
    const QString prefix = CompressedString::Prefix();
    EXPECT_EQ(prefix.size(), 13);
    EXPECT_TRUE(QByteArray("BZh11AY&SY").toBase64().startsWith(prefix.toLatin1()));
}

TEST(CompressedString, PlainOrDamagedTextsFailAndLeaveTheOutputAlone)
{
    QStringList texts{"Hello", "QlpoMTFBWSZT", " QlpoMTFBWSZTWxxxx"};
    for (const QString& plain : texts)
        EXPECT_FALSE(CompressedString::IsCompressed(plain)) << plain.toStdString();
    QString packed;
    ASSERT_TRUE(CompressedString::Compress("Operating instructions for the dryer", packed));
    QString corrupted = packed;
    corrupted[20] = corrupted[20] == 'A' ? 'B' : 'A';
    texts << packed.left(packed.size() - 8) << corrupted << packed + "!!";
    for (const QString& text : texts) {
        QString output = "kept";
        EXPECT_FALSE(CompressedString::Decompress(text, output)) << text.toStdString();
        EXPECT_EQ(output, "kept");
    }
}

#include "TextCodec.h"

#include <gtest/gtest.h>

TEST(TextCodec, RoundTripsBig5IncludingBackslashTrailBytes)
{
    // "許" is A5 5C in Big5: its trail byte is a backslash and must pass unchanged.
    const std::string big5 = "\xab\xc8\xa4\xe1 \xb3\x5c \xa1\xe3";
    const QString text = TextCodec::fromCp950(big5);
    EXPECT_EQ(text, QString::fromUtf8("客戶 許 ～"));
    EXPECT_EQ(TextCodec::toCp950(text), big5);
}

TEST(TextCodec, UnconvertibleInputIsMarkedNotThrown)
{
    EXPECT_EQ(TextCodec::fromCp950("a\xa4"), QString::fromUtf8("a\xEF\xBF\xBD"));
    EXPECT_EQ(TextCodec::toCp950(QString::fromUtf8("x😀y")), "x?y");
}

TEST(TextCodec, TruncationKeepsWholeCharacters)
{
    const std::string big5 = "ab\xab\xc8\xa4\xe1"; // "ab客戶"
    EXPECT_EQ(TextCodec::truncateCp950(big5, 6), big5);
    EXPECT_EQ(TextCodec::truncateCp950(big5, 5), "ab\xab\xc8");
    EXPECT_EQ(TextCodec::truncateCp950(big5, 3), "ab");
}

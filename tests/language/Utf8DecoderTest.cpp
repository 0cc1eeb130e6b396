#include "language/Utf8Decoder.h"

#include <gtest/gtest.h>

#include <string>

namespace kadenza {
namespace {

constexpr std::size_t noLimit = 1000;

std::string repeat(const std::string& piece, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += piece;
    }
    return text;
}

TEST(Utf8DecoderTest, DecodesOneTwoAndThreeByteForms) {
    EXPECT_EQ(decodeUtf8Prefix("Cu", noLimit), u"Cu");
    EXPECT_EQ(decodeUtf8Prefix("\xCE\xA9", noLimit), std::u16string(1, u'\u03A9'));
    EXPECT_EQ(decodeUtf8Prefix("\xC5\x99", noLimit), std::u16string(1, u'\u0159'));
    EXPECT_EQ(decodeUtf8Prefix("\xE2\x82\xAC", noLimit), std::u16string(1, u'\u20AC'));
    EXPECT_EQ(decodeUtf8Prefix("\xEF\xBF\xBF", noLimit), std::u16string(1, u'\uFFFF'));
    EXPECT_EQ(decodeUtf8Prefix("1 k\xCE\xA9 \xE2\x82\xAC", noLimit), u"1 kΩ €");
}

TEST(Utf8DecoderTest, StopsAtAByteItDoesNotAccept) {
    EXPECT_EQ(decodeUtf8Prefix("ab\x80z", noLimit), u"ab");
    EXPECT_EQ(decodeUtf8Prefix("ab\xBF", noLimit), u"ab");
    EXPECT_EQ(decodeUtf8Prefix("ab\xF0\x9F\x98\x80z", noLimit), u"ab");
    EXPECT_EQ(decodeUtf8Prefix("ab\xF8z", noLimit), u"ab");
    EXPECT_EQ(decodeUtf8Prefix(std::string_view("ab\0cd", 5), noLimit), u"ab");
}

TEST(Utf8DecoderTest, StopsAtASequenceCutByTheEnd) {
    EXPECT_EQ(decodeUtf8Prefix("ab\xC5", noLimit), u"ab");
    EXPECT_EQ(decodeUtf8Prefix("ab\xE2\x82", noLimit), u"ab");
    EXPECT_EQ(decodeUtf8Prefix(std::string_view("ab\xE2\x82\xAC", 4), noLimit), u"ab");
    EXPECT_EQ(decodeUtf8Prefix("", noLimit), u"");
}

TEST(Utf8DecoderTest, LimitCountsCharactersNotBytes) {
    const std::string fits = repeat("\xC5\x99", 999);
    EXPECT_EQ(decodeUtf8Prefix(fits, 999), std::u16string(999, u'\u0159'));

    const std::string longer = repeat("a", 998) + "\xE2\x82\xAC" + "bc";
    const std::u16string cut = decodeUtf8Prefix(longer, 999);
    ASSERT_EQ(cut.size(), 999u);
    EXPECT_EQ(cut.back(), u'\u20AC');

    EXPECT_EQ(decodeUtf8Prefix(repeat("a", 1500), 999), std::u16string(999, u'a'));
    EXPECT_EQ(decodeUtf8Prefix("abc", 0), u"");
}

}  // namespace
}  // namespace kadenza

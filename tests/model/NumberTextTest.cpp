#include <gtest/gtest.h>

#include "model/NumberText.h"
#include "support/LocaleGuard.h"

namespace kadenza {
namespace {

using test::SeparatorCase;
using test::withSeparator;

class NumberTextTest : public ::testing::TestWithParam<SeparatorCase> {
  protected:
    void SetUp() override { ASSERT_TRUE(locale_.ok()) << GetParam().locale; }
    std::string expect(const char* text) const { return withSeparator(text, GetParam().separator); }

  private:
    test::LocaleGuard locale_{GetParam().locale};
};

TEST_P(NumberTextTest, RealTextSwitchesToScientificOutsideItsDecades) {
    EXPECT_EQ(realText(0), "0");
    EXPECT_EQ(realText(230.5), expect("230.5"));
    EXPECT_EQ(realText(-0.05), expect("-0.05"));
    EXPECT_EQ(realText(1234.5), expect("1234.5"));
    EXPECT_EQ(realText(0.0001), expect("0.0001"));
    EXPECT_EQ(realText(0.00012), expect("0.00012"));
    EXPECT_EQ(realText(0.000012), expect("1.2E-5"));
    EXPECT_EQ(realText(1e-5), "1E-5");
    EXPECT_EQ(realText(1.5e20), expect("1.5E20"));
    EXPECT_EQ(realText(1e15), "1E15");
    EXPECT_EQ(realText(123456789012345.0), "123456789012345");
    EXPECT_EQ(realText(2e12), "2000000000000");
}

TEST_P(NumberTextTest, GeneralFormRoundsBeforeChoosingTheNotation) {
    // Sixteen nines round up to 1E15, which no longer fits fifteen digits.
    EXPECT_EQ(realText(999999999999999.9), "1E15");
    EXPECT_EQ(generalText(123456, 5), expect("1.2346E5"));
    EXPECT_EQ(generalText(99999.5, 5), "1E5");
    EXPECT_EQ(generalText(12345.5, 5), "12346");
    // 0.1 + 0.2 is 0.30000000000000004 in binary; fifteen digits hide it.
    EXPECT_EQ(realText(0.1 + 0.2), expect("0.3"));
    EXPECT_EQ(generalText(-0.000123456, 3), expect("-0.000123"));
    EXPECT_EQ(generalText(-0.0000123456, 3), expect("-1.23E-5"));
}

TEST_P(NumberTextTest, ExactTiesRoundAwayFromZero) {
    // 0.0625 and 2.5 are exact in binary; printf would round both to even.
    EXPECT_EQ(decimalsText(0.0625), expect("0.063"));
    EXPECT_EQ(decimalsText(-0.0625), expect("-0.063"));
    EXPECT_EQ(generalText(2.5, 1), "3");
    EXPECT_EQ(generalText(0.125, 2), expect("0.13"));
    // 0.0005 is a little above its decimal text in binary, 1.0005 a little below.
    EXPECT_EQ(decimalsText(0.0005), expect("0.001"));
    EXPECT_EQ(decimalsText(1.0005), "1");
}

TEST_P(NumberTextTest, DecimalsPatternKeepsAtMostThreeDecimals) {
    EXPECT_EQ(decimalsText(0), "0");
    EXPECT_EQ(decimalsText(250), "250");
    EXPECT_EQ(decimalsText(0.25), expect("0.25"));
    EXPECT_EQ(decimalsText(1.9999), "2");
    EXPECT_EQ(decimalsText(9999.9996), "10000");
    EXPECT_EQ(decimalsText(0.0004), "0");
}

TEST_P(NumberTextTest, ExponentPatternAlwaysSignsTheExponent) {
    EXPECT_EQ(exponentText(12345), expect("1.235E+4"));
    EXPECT_EQ(exponentText(0.0005), "5E-4");
    EXPECT_EQ(exponentText(-5), "-5E+0");
    EXPECT_EQ(exponentText(0), "0E+0");
    EXPECT_EQ(exponentText(99995), "1E+5");
    EXPECT_EQ(exponentText(1.5e-12), expect("1.5E-12"));
}

TEST_P(NumberTextTest, ValuesWithoutDigitsHaveWords) {
    EXPECT_EQ(realText(std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_EQ(realText(-std::numeric_limits<double>::infinity()), "-INF");
    EXPECT_EQ(exponentText(std::numeric_limits<double>::infinity()), "INF");
}

INSTANTIATE_TEST_SUITE_P(Separators, NumberTextTest,
                         ::testing::Values(test::pointLocale, test::commaLocale),
                         [](const auto& info) {
                             return info.param.separator == '.' ? "point" : "comma";
                         });

}  // namespace
}  // namespace kadenza

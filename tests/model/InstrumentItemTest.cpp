#include <gtest/gtest.h>

#include "model/InstrumentItem.h"
#include "model/InstrumentNumber.h"
#include "support/LocaleGuard.h"

namespace kadenza {
namespace {

// Quantity codes by what they measure.
constexpr int lineVoltage = 1;
constexpr int loopImpedance = 3;
constexpr int trippingCurrent = 5;
constexpr int protectiveResistance = 7;
constexpr int insulationResistance = 15;
constexpr int temperature = 16;
constexpr int revolutions = 17;
constexpr int powerFactor = 23;

const std::string ohm = "Ω";

std::string valueWithUnit(double value, int symbol) {
    return InstrumentItem(value, symbol, false, false).text(showUnit);
}

class InstrumentItemTest : public ::testing::TestWithParam<test::SeparatorCase> {
  protected:
    void SetUp() override { ASSERT_TRUE(locale_.ok()) << GetParam().locale; }
    std::string expect(const std::string& text) const {
        return test::withSeparator(text, GetParam().separator);
    }

  private:
    test::LocaleGuard locale_{GetParam().locale};
};

TEST_P(InstrumentItemTest, EngineeringPrefixFollowsTheTruncatedDecade) {
    EXPECT_EQ(InstrumentItem(0.05, loopImpedance, false, false).text(showSymbol | showUnit),
              "Z\033\002S\033\001=50 m" + ohm);
    EXPECT_EQ(valueWithUnit(0, lineVoltage), "0 V");
    EXPECT_EQ(valueWithUnit(1e-12, lineVoltage), expect("1E-12 V"));
    EXPECT_EQ(valueWithUnit(0.5, trippingCurrent), expect("0.5 A"));
    EXPECT_EQ(valueWithUnit(0.05, trippingCurrent), "50 mA");
    EXPECT_EQ(valueWithUnit(0.0009, trippingCurrent), expect("0.9 mA"));
    EXPECT_EQ(valueWithUnit(0.00009, trippingCurrent), "90 μA");
    EXPECT_EQ(valueWithUnit(1500, insulationResistance), "1500 " + ohm);
    EXPECT_EQ(valueWithUnit(10000, insulationResistance), "10 k" + ohm);
    EXPECT_EQ(valueWithUnit(999999, insulationResistance), expect("999.999 k" + ohm));
    EXPECT_EQ(valueWithUnit(1e6, insulationResistance), "1 M" + ohm);
    EXPECT_EQ(valueWithUnit(2.5e9, insulationResistance), expect("2.5 G" + ohm));
    EXPECT_EQ(valueWithUnit(2e12, insulationResistance), "2000000000000 " + ohm);
    EXPECT_EQ(valueWithUnit(5e-8, trippingCurrent), "5E-8 A");
    EXPECT_EQ(valueWithUnit(-0.05, lineVoltage), "-50 mV");
}

TEST_P(InstrumentItemTest, UnscaledQuantitiesPutTheUnitRightAfterTheNumber) {
    EXPECT_EQ(InstrumentItem(25.3, temperature, false, false).text(showSymbol | showUnit),
              expect("t=25.3°C"));
    EXPECT_EQ(valueWithUnit(1500, revolutions), "1500min.\033\003-1\033\001");
    EXPECT_EQ(InstrumentItem(0.98, powerFactor, false, false).text(showAllColumns),
              expect("Cos φ=0.98 "));
}

TEST_P(InstrumentItemTest, OverRangeMarkTakesThePlaceOfTheEqualsSign) {
    const InstrumentItem high(1000, insulationResistance, false, true);
    EXPECT_EQ(high.text(showUnit), ">1000 " + ohm);
    EXPECT_EQ(high.text(showSymbol | showUnit), "R\033\002ISO\033\001>1000 " + ohm);
    EXPECT_EQ(InstrumentItem(-3, lineVoltage, false, true).text(showSymbol),
              "U\033\002LN\033\001<-3 ");
    EXPECT_EQ(InstrumentItem(2e9, insulationResistance, false, true).valueText(), ">2 G");
    EXPECT_EQ(InstrumentItem(5, lineVoltage, false, false).rangeMark(), "");
}

TEST_P(InstrumentItemTest, NoteAppearsOnlyWithItsColumn) {
    const InstrumentItem noted(0.05, protectiveResistance, "socket 3", true, false);
    EXPECT_EQ(noted.text(showUnit), "50 m" + ohm);
    EXPECT_EQ(noted.text(showUnit | showNote), "50 m" + ohm + " socket 3");
    EXPECT_EQ(InstrumentItem(230, lineVoltage, false, false).text(showNote), "230  ");
    EXPECT_EQ(noted.valueOnlyText(), "50 m");
}

TEST_P(InstrumentItemTest, NumericModeGivesTheBareScaledNumber) {
    const auto numeric = [](double value, int mode) {
        return InstrumentItem(value, lineVoltage, "note", true, true).text(mode);
    };
    EXPECT_EQ(numeric(12345, 10), expect("1.235E+4"));
    EXPECT_EQ(numeric(0.0005, 10), "5E-4");
    EXPECT_EQ(numeric(0, 10), "0");
    EXPECT_EQ(numeric(-5, 10), "-5E+0");
    EXPECT_EQ(numeric(0.25, 9), "250");
    EXPECT_EQ(numeric(0.25, 8), expect("2.5E+5"));
    EXPECT_EQ(numeric(10000, 10), "10000");
    EXPECT_EQ(numeric(1500, 11), expect("1.5"));
    EXPECT_EQ(numeric(2e6, 12), "2");
    EXPECT_EQ(numeric(3e9, 13), "3");
    EXPECT_EQ(numeric(7, 99), "7");
}

INSTANTIATE_TEST_SUITE_P(Separators, InstrumentItemTest,
                         ::testing::Values(test::pointLocale, test::commaLocale),
                         [](const auto& info) {
                             return info.param.separator == '.' ? "point" : "comma";
                         });

TEST(InstrumentItem, CodesOutsideTheTableShowAPlaceholderUnscaled) {
    const InstrumentItem stray(0.05, 40, false, false);
    EXPECT_EQ(stray.symbol(), 40);
    EXPECT_EQ(stray.text(showAllColumns), "?=0.05 ");
    EXPECT_EQ(InstrumentItem(1, -3, false, false).symbol(), 0);
    EXPECT_EQ(InstrumentItem(1, 33, false, false).symbolText(), "Z\033\002I\033\001");
}

TEST(InstrumentItem, CopiesOwnTheirNote) {
    InstrumentItem original(1, lineVoltage, std::string("first\0hidden", 12), true, false);
    EXPECT_EQ(*original.note(), "first");
    const InstrumentItem copy(original);
    original.setNote("changed");
    EXPECT_EQ(*copy.note(), "first");
    EXPECT_TRUE(copy.isPrimary());
    original.setNote(std::nullopt);
    EXPECT_FALSE(original.note().has_value());
    EXPECT_EQ(original.noteOrEmpty(), "");
    const auto clone = copy.clone();
    EXPECT_EQ(clone->text(showAllColumns), copy.text(showAllColumns));
}

TEST(InstrumentBank, TextNamesTheBankKind) {
    EXPECT_EQ(InstrumentBank(7).text(showSymbol), "Bank 7");
    EXPECT_EQ(InstrumentBank(7).text(showUnit | showNote), "7");
    EXPECT_EQ(InstrumentNumber(7).text(showAllColumns), "No. 7");
    EXPECT_EQ(InstrumentNumber(-2).text(0), "-2");
    EXPECT_EQ(InstrumentNumber(7).clone()->text(showSymbol), "No. 7");
}

}  // namespace
}  // namespace kadenza

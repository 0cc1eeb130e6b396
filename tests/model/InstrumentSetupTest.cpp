#include <gtest/gtest.h>

#include "language/Language.h"
#include "model/InstrumentSetup.h"
#include "support/LocaleGuard.h"

namespace kadenza {
namespace {

const std::u16string seconds = u"s";
const std::u16string squareMillimetres = u"mm\033\0032\033\001";

InstrumentSetupItem powerOff(float value) {
    return InstrumentSetupItem(0, value, seconds, 60, 1000, true);
}

TEST(InstrumentSetupItem, SetValueKeepsTheRange) {
    InstrumentSetupItem item = powerOff(120);
    for (const float accepted : {0.0f, 60.0f, 1000.0f, 500.0f}) {
        item.setValue(accepted);
        EXPECT_EQ(item.value(), accepted);
    }
    for (const float refused : {59.9f, 1000.5f, -1.0f}) {
        item.setValue(refused);
        EXPECT_EQ(item.value(), 500.0f) << refused;
    }

    InstrumentSetupItem crossSection(2, 1.5f, squareMillimetres, 0.125f, 10, false);
    crossSection.setValue(0);
    EXPECT_EQ(crossSection.value(), 1.5f);
    crossSection.setValue(0.125f);
    EXPECT_EQ(crossSection.value(), 0.125f);

    InstrumentSetupItem unbounded(5, 50, u"Hz", 7, 7, false);
    unbounded.setValue(-3.5f);
    EXPECT_EQ(unbounded.value(), -3.5f);
}

// Whether a value read from an instrument may be written back: what setValue takes, and 0,
// which switches a function off or marks an unused table entry even where it cannot be typed.
TEST(InstrumentSetupItem, InRangeIsWhatSetValueTakesAndZero) {
    struct Case {
        InstrumentSetupItem item;
        bool inRange;
    };
    const Case cases[] = {
        {powerOff(120), true},
        {powerOff(1310.7f), false},
        {powerOff(-0.02f), false},
        {InstrumentSetupItem(2, 0, squareMillimetres, 0.125f, 10, false), true},
        {InstrumentSetupItem(2, -0.001f, squareMillimetres, 0.125f, 10, false), false},
        {InstrumentSetupItem(5, -1, u"Hz", 59, 140, true), false},
        {InstrumentSetupItem(5, 655.35f, u"Hz", 7, 7, false), true},
    };
    for (const Case& check : cases) {
        EXPECT_EQ(check.item.inRange(), check.inRange) << check.item.value();
    }

    InstrumentSetup setup;
    auto general = std::make_unique<InstrumentSetupBank>(0);
    general->add(std::make_unique<InstrumentSetupItem>(powerOff(120)));
    general->add(std::make_unique<InstrumentSetupItem>(powerOff(2000)));
    general->add(std::make_unique<InstrumentSetupItem>(powerOff(-5)));
    setup.add(std::move(general));
    EXPECT_EQ(setup.firstOutOfRange(), setup.bank(0)->item(1));
    setup.bank(0)->item(1)->setValue(300);
    EXPECT_EQ(setup.firstOutOfRange(), setup.bank(0)->item(2));
}

TEST(InstrumentSetupItem, ComparesInSinglePrecision) {
    // 1000.00001 is 1000 once it is a float, so it lies inside the range.
    InstrumentSetupItem item = powerOff(120);
    item.setValue(static_cast<float>(1000.00001));
    EXPECT_EQ(item.value(), 1000.0f);
}

TEST(InstrumentSetupItem, TextIsNameTabValueBlankUnit) {
    SetLanguage(englishLanguage);
    EXPECT_EQ(powerOff(120).text(), u"Power off\t120 s");
    EXPECT_EQ(InstrumentSetupItem(2, 0.282f, squareMillimetres, 0.125f, 10, false).text(),
              u"Cu\t0.282 mm\033\0032\033\001");
    EXPECT_EQ(InstrumentSetupItem(9, 2.5f, seconds, 0, 0, false).text(), u"Power off\t2.5 s");
    SetLanguage(czechLanguage);
    EXPECT_EQ(InstrumentSetupItem(6, 0.5f, u"Ω", 0, 0, false).text(), u"Signalizace odporu\t0.5 Ω");
    test::LocaleGuard comma(test::commaLocale.locale);
    ASSERT_TRUE(comma.ok());
    EXPECT_EQ(InstrumentSetupItem(1, 2.5f, seconds, 0, 0, false).text(), u"Podsvícení\t2,5 s");
}

TEST(InstrumentSetupBank, GroupNamesFollowTheLanguage) {
    SetLanguage(englishLanguage);
    EXPECT_EQ(InstrumentSetupBank(3).text(), u"Distance");
    EXPECT_EQ(InstrumentSetupBank(7).name(), u"General");
    SetLanguage(czechLanguage);
    EXPECT_EQ(InstrumentSetupBank(4).name(), u"Kmitočet");
    EXPECT_TRUE(InstrumentSetupBank(0).isBank());
    EXPECT_FALSE(powerOff(1).isBank());
}

TEST(InstrumentSetup, FindsTheLastGroupAndItemOfAKind) {
    InstrumentSetup setup;
    for (const int id : {1, 0, 1}) {
        auto bank = std::make_unique<InstrumentSetupBank>(id);
        bank->add(std::make_unique<InstrumentSetupItem>(2, 1.0f, squareMillimetres, 0, 0, false));
        bank->add(std::make_unique<InstrumentSetupItem>(2, 2.0f, squareMillimetres, 0, 0, false));
        setup.add(std::move(bank));
    }
    EXPECT_EQ(setup.findBank(1), setup.bank(2));
    EXPECT_EQ(setup.findBank(1)->findItem(2), setup.bank(2)->item(1));
    EXPECT_EQ(setup.findBank(4), nullptr);
    EXPECT_EQ(setup.bank(0)->findItem(3), nullptr);
    EXPECT_EQ(setup.bank(3), nullptr);
    EXPECT_EQ(setup.bank(0)->item(2), nullptr);
    setup.clear();
    EXPECT_EQ(setup.count(), 0);
}

}  // namespace
}  // namespace kadenza

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "inspection/ItemNote.h"
#include "inspection/Verdict.h"
#include "model/InstrumentItem.h"
#include "support/SampleData.h"

namespace kadenza {
namespace {

// Quantity codes by meaning.
constexpr int loopImpedance = 3;
constexpr int touchVoltage = 4;
constexpr int tripCurrent = 5;
constexpr int tripTime = 6;
constexpr int conductorResistance = 7;
constexpr int tripTimeFiveTimes = 11;
constexpr int insulationResistance = 15;
constexpr int peCurrent = 18;
constexpr int touchCurrent = 19;
constexpr int substituteLeakage = 20;
constexpr int differentialLeakage = 21;
constexpr int touchVoltageDifference = 25;
constexpr int earthResistance = 31;

const std::string i2016 = installation2016Profile;
const std::string i2006 = installation2006Profile;
const std::string i2001 = installation2001Profile;
const std::string appliance = applianceProfile;

// What the judging happens under: the profile, the bank's and the inspection's details.
struct Setting {
    std::string profile;
    BankDetails bank = {};
    InspectionDetails inspection = {};
};

BankDetails nominal(const std::string& voltage) {
    BankDetails bank;
    bank.nominalVoltage = voltage;
    return bank;
}

BankDetails rcd(std::optional<double> current, const std::string& type = "",
                std::optional<bool> selective = std::nullopt) {
    BankDetails bank;
    bank.rcdCurrent = current;
    bank.rcdType = type;
    bank.rcdSelective = selective;
    return bank;
}

BankDetails selective(bool isSelective) {
    return rcd({}, "", isSelective);
}

BankDetails circuit(const std::string& device, const std::string& earthing = "TN",
                    const std::string& nominalVoltage = "") {
    BankDetails bank = nominal(nominalVoltage);
    bank.device = device;
    bank.earthing = earthing;
    return bank;
}

BankDetails withRcd(BankDetails bank, double current) {
    bank.rcdCurrent = current;
    return bank;
}

BankDetails earthed(const std::string& earthing, std::optional<double> rcdCurrent) {
    BankDetails bank = rcd(rcdCurrent);
    bank.earthing = earthing;
    return bank;
}

BankDetails ofClass(const std::string& applianceClass, std::optional<double> cordLength = {},
                    std::optional<double> peLimit = {}) {
    BankDetails bank;
    bank.applianceClass = applianceClass;
    bank.cordLength = cordLength;
    bank.peLimit = peLimit;
    return bank;
}

BankDetails peLimit(double limit) {
    return ofClass("", {}, limit);
}

InspectionDetails touchLimit(double volts) {
    InspectionDetails inspection;
    inspection.touchVoltageLimit = volts;
    return inspection;
}

InspectionDetails loopFactor(const std::string& factor) {
    InspectionDetails inspection;
    inspection.loopFactor = factor;
    return inspection;
}

Verdict judgeReading(const Setting& setting, int code, const std::string& note, double value,
                     bool over = false, bool primary = true) {
    const InstrumentItem item(value, code, note, primary, over);
    return judge(item, setting.profile, setting.inspection, setting.bank);
}

std::string verdictOf(const Setting& setting, int code, const std::string& note, double value,
                      bool over = false) {
    return verdictName(judgeReading(setting, code, note, value, over).kind);
}

// A row of a limit table: under this setting, an item with this note is judged by this rule
// against these exact ends (base units), shown rounded toward the safe side as `shown`, with
// this remark.
struct LimitRow {
    Setting setting;
    std::string note;
    std::optional<double> min;
    std::optional<double> max;
    std::string shown;
    std::string rule;
    std::string remark = "";
};

void expectSameEnd(const std::optional<double>& actual, const std::optional<double>& expected) {
    ASSERT_EQ(actual.has_value(), expected.has_value());
    if (expected) {
        EXPECT_DOUBLE_EQ(*actual, *expected);
    }
}

// A reading at either exact end passes and one a millionth beyond fails; a reading over range
// (">") passes a minimum it reaches and fails any maximum.
void expectLimits(int code, const std::vector<LimitRow>& rows) {
    for (const LimitRow& row : rows) {
        SCOPED_TRACE(row.setting.profile + ", code " + std::to_string(code) + ", note '" +
                     row.note + "', " + row.shown);
        const double inside = row.min ? *row.min : *row.max;
        const Verdict verdict = judgeReading(row.setting, code, row.note, inside);
        ASSERT_TRUE(verdict.limit);
        expectSameEnd(verdict.limit->min, row.min);
        expectSameEnd(verdict.limit->max, row.max);
        EXPECT_EQ(shownLimit(verdict), row.shown);
        EXPECT_EQ(verdict.rule, row.rule);
        EXPECT_EQ(verdict.missing, "");
        EXPECT_EQ(verdict.remark, row.remark);
        EXPECT_NE(ruleSource(verdict.rule), "");
        EXPECT_STREQ(verdictName(verdict.kind), "pass");
        EXPECT_EQ(verdictOf(row.setting, code, row.note, inside, true), row.max ? "fail" : "pass");
        if (row.min) {
            EXPECT_EQ(verdictOf(row.setting, code, row.note, *row.min * (1 - 1e-6)), "fail");
        }
        if (row.max) {
            EXPECT_EQ(verdictOf(row.setting, code, row.note, *row.max), "pass");
            EXPECT_EQ(verdictOf(row.setting, code, row.note, *row.max * (1 + 1e-6)), "fail");
        }
    }
}

// A row a rule does not judge: none, naming the missing detail and the rule, or, with no
// missing detail, no rule at all; with the remark that says why, where there is one.
struct UnjudgedRow {
    Setting setting;
    std::string note;
    std::string missing;
    std::string remark = "";
    double value = 1;
};

void expectUnjudged(int code, const std::string& rule, const std::vector<UnjudgedRow>& rows) {
    for (const UnjudgedRow& row : rows) {
        SCOPED_TRACE(row.setting.profile + ", code " + std::to_string(code) + ", note '" +
                     row.note + "', value " + std::to_string(row.value));
        const Verdict verdict = judgeReading(row.setting, code, row.note, row.value);
        EXPECT_STREQ(verdictName(verdict.kind), "none");
        EXPECT_FALSE(verdict.limit);
        EXPECT_EQ(verdict.rule, row.missing.empty() ? "" : rule);
        EXPECT_EQ(verdict.missing, row.missing);
        EXPECT_EQ(verdict.lacksDetail(), !row.missing.empty());
        EXPECT_EQ(verdict.remark, row.remark);
    }
}

// A reading and the verdict it gets, with the limit shown.
struct ReadingRow {
    Setting setting;
    std::string note;
    double value;
    bool over;
    std::string verdict;
    std::string shown;
};

void expectReadings(int code, const std::vector<ReadingRow>& rows) {
    for (const ReadingRow& row : rows) {
        SCOPED_TRACE(row.setting.profile + ", code " + std::to_string(code) + ", note '" +
                     row.note + "', value " + std::to_string(row.value));
        const Verdict verdict = judgeReading(row.setting, code, row.note, row.value, row.over);
        EXPECT_STREQ(verdictName(verdict.kind), row.verdict.c_str());
        EXPECT_EQ(shownLimit(verdict), row.shown);
    }
}

TEST(LimitTextTest, EndsAreRoundedTowardTheSafeSideOnlyWhenNotExact) {
    struct Case {
        Limit limit;
        std::string shown;
    };
    const Case cases[] = {
        {atMost(230.0 / 80, ohms), "≤ 2.87 Ω"},
        {atMost(230.0 / 30, ohms), "≤ 7.66 Ω"},
        {atMost(230.0 / 640, ohms), "≤ 0.359 Ω"},
        {atMost(50.0 / 0.03, ohms), "≤ 1666.66 Ω"},
        {atLeast(50.0 / 0.03, ohms), "≥ 1666.67 Ω"},
        {atMost(0.3, milliseconds), "≤ 300 ms"},
        {atMost(0.04, milliseconds), "≤ 40 ms"},
        {atLeast(0.5e6, megohms), "≥ 0.5 MΩ"},
        {atLeast(0.25e6, megohms), "≥ 0.25 MΩ"},
        {between(0.35 * 0.03, 1.4 * 0.03, milliamperes), "10.5 … 42 mA"},
        {between(0.35 * 0.006, 2 * 0.006, milliamperes), "2.1 … 12 mA"},
        {between(1.0 / 3, 2.0 / 3, volts), "0.334 … 0.666 V"},
        {atMost(0.005, ohms), "≤ 0.005 Ω"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(limitText(c.limit), c.shown);
    }
}

TEST(InstallationVerdictTest, InsulationFollowsTheCircuitNotTheTestVoltage) {
    const std::string reduced = "reduced-test-voltage";
    for (const auto& [profile, rule] :
         {std::pair(i2016, "insulation-2016"), std::pair(i2006, "insulation-2006")}) {
        expectLimits(insulationResistance,
                     {{{profile}, "", 1e6, {}, "≥ 1 MΩ", rule},
                      {{profile}, "500V", 1e6, {}, "≥ 1 MΩ", rule},
                      {{profile}, "L-PE", 1e6, {}, "≥ 1 MΩ", rule},
                      {{profile}, "250V", 1e6, {}, "≥ 1 MΩ", rule, reduced},
                      {{profile, nominal("SELV")}, "500V", 0.5e6, {}, "≥ 0.5 MΩ", rule},
                      {{profile, nominal(" pelv")}, "250V", 0.5e6, {}, "≥ 0.5 MΩ", rule},
                      {{profile, nominal("400 V")}, "1000V", 1e6, {}, "≥ 1 MΩ", rule},
                      {{profile, nominal("690")}, "500V", 1e6, {}, "≥ 1 MΩ", rule, reduced}});
    }
    expectLimits(insulationResistance,
                 {{{i2001, nominal("SELV")}, "250V", 0.25e6, {}, "≥ 0.25 MΩ", "insulation-2001"},
                  {{i2001}, "500V", 0.5e6, {}, "≥ 0.5 MΩ", "insulation-2001"},
                  {{i2001}, "250V", 0.5e6, {}, "≥ 0.5 MΩ", "insulation-2001", reduced},
                  {{i2001, nominal("501")}, "", 1e6, {}, "≥ 1 MΩ", "insulation-2001"}});
    expectUnjudged(insulationResistance, "insulation-2016",
                   {{{i2016}, "50V", "", "low-test-voltage"},
                    {{i2001}, "100V", "", "low-test-voltage"},
                    {{i2016, nominal("1.2e2")}, "500V", "bank.nominalVoltage"}});
}

TEST(InstallationVerdictTest, RcdTimesJudgedOnlyWhereSelectiveOrNotIsKnownOrMakesNoDifference) {
    expectLimits(
        tripTime,
        {{{i2016, selective(false)}, "30mA AC +", {}, 0.3, "≤ 300 ms", "rcd-time"},
         {{i2016, selective(true)}, "100mA A -", 0.13, 0.5, "130 … 500 ms", "rcd-time-selective"}});
    expectLimits(
        tripTimeFiveTimes,
        {{{i2016, selective(false)}, "10mA AC +", {}, 0.04, "≤ 40 ms", "rcd-time-5x"},
         {{i2016, selective(true)}, "300 mA", 0.05, 0.15, "50 … 150 ms", "rcd-time-5x-selective"}});
    // Unknown: a time both kinds pass passes against what both allow, one both fail fails
    // against the widest, and any other needs the detail.
    expectReadings(tripTime, {{{i2016}, "30mA AC +", 0.2, false, "pass", "130 … 300 ms"},
                              {{i2016}, "30mA AC +", 0.6, false, "fail", "≤ 500 ms"},
                              {{i2016}, "30mA AC +", 0.3, true, "fail", "≤ 500 ms"}});
    expectReadings(tripTimeFiveTimes, {{{i2016}, "", 0.045, false, "fail", "≤ 150 ms"}});
    expectUnjudged(tripTime, "rcd-time-any",
                   {{{i2016}, "30mA AC +", "bank.rcdSelective", "", 0.024},
                    {{i2016}, "30mA AC +", "bank.rcdSelective", "", 0.4}});
    expectUnjudged(tripTimeFiveTimes, "rcd-time-5x-any",
                   {{{i2016}, "", "bank.rcdSelective", "", 0.015},
                    {{i2016}, "", "bank.rcdSelective", "", 0.1}});
}

TEST(InstallationVerdictTest, RcdCurrentWindowByWaveformAndRatedCurrent) {
    const std::string rule = "rcd-current";
    // The note names the waveform: its window, whatever the device's type.
    expectLimits(tripCurrent,
                 {{{i2016}, "30mA AC +", 0.015, 0.03, "15 … 30 mA", rule},
                  {{i2016}, "30mA A +", 0.0105, 0.042, "10.5 … 42 mA", rule},
                  {{i2016}, "10mA A -", 0.0035, 0.02, "3.5 … 20 mA", rule},
                  {{i2016}, "30mA B", 0.015, 0.06, "15 … 60 mA", rule},
                  {{i2016}, "30mA F +", 0.0105, 0.042, "10.5 … 42 mA", rule},
                  {{i2016, rcd(100, "AC")}, "30mA A +", 0.0105, 0.042, "10.5 … 42 mA", rule},
                  {{i2016, rcd(100, "A")}, "AC +", 0.05, 0.1, "50 … 100 mA", rule},
                  {{i2016, rcd(30, "AC")}, "", 0.015, 0.03, "15 … 30 mA", rule}});
    // No waveform: the verdict stands where the windows of every waveform the device's type
    // allows agree (AC alone for type AC; AC and pulsating DC for A and F; smooth DC as well
    // for B or an unknown type).
    expectReadings(tripCurrent,
                   {{{i2016}, "30 mA", 0.0219, false, "pass", "15 … 30 mA"},
                    {{i2016, rcd(30, "A")}, "", 0.025, false, "pass", "15 … 30 mA"},
                    {{i2016, rcd(10, "F")}, "", 0.021, false, "fail", "3.5 … 20 mA"},
                    {{i2016, rcd(30)}, "", 0.07, false, "fail", "10.5 … 60 mA"},
                    {{i2016}, "30mA ", 0.999, true, "fail", "10.5 … 60 mA"},
                    {{i2016, rcd(30, "AC")}, "30 mA", 0.038, false, "fail", "15 … 30 mA"}});
    expectUnjudged(tripCurrent, rule,
                   {{{i2016, rcd({}, "AC")}, "", "bank.rcdCurrent"},
                    {{i2016, rcd(0.03, "AC")}, "", "bank.rcdCurrent"},
                    {{i2016, rcd(25, "AC")}, "", "bank.rcdCurrent"},
                    {{i2016}, "30 mA", "test.waveform", "", 0.012},
                    {{i2016, rcd(30, "A")}, "30 mA", "test.waveform", "", 0.038},
                    {{i2016, rcd(30, "F")}, "", "test.waveform", "", 0.012},
                    {{i2016, rcd(30, "B")}, "30 mA", "test.waveform", "", 0.045},
                    {{i2016, rcd(30, "B")}, "", "test.waveform", "", 0.012},
                    {{i2016, rcd(30, "EV")}, "", "test.waveform", "", 0.035}});
}

TEST(InstallationVerdictTest, RcdNotesOfEveryModel) {
    struct Case {
        std::string note;
        std::optional<double> ratedCurrent;
        std::string type;
    };
    const std::vector<Case> cases = {
        {"30mA AC +", 30, "AC"}, {"100mA AC -", 100, "AC"}, {"30mA A -", 30, "A"},
        {"10mA AC", 10, "AC"},   {"300mA A -", 300, "A"},   {"30mA ", 30, ""},
        {"6 mA", 6, ""},         {"500 mA", 500, ""},       {"A +", {}, "A"},
        {"I<200mA", {}, ""},     {"I>200mA", {}, ""},       {"-", {}, ""},
        {"4 wire+S", {}, ""},    {"30mAAC", {}, ""},        {"0mA AC", {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.note);
        const RcdNote note = readRcdNote(c.note);
        EXPECT_EQ(note.ratedCurrent, c.ratedCurrent);
        EXPECT_EQ(note.type, c.type);
    }
}

TEST(InstallationVerdictTest, TouchVoltageAndTtEarthResistanceAgainstExactQuotients) {
    expectLimits(touchVoltage,
                 {{{i2016}, "30mA ", {}, 50, "≤ 50 V", "touch-voltage"},
                  {{i2006, {}, touchLimit(25)}, "100mA ", {}, 25, "≤ 25 V", "touch-voltage"}});
    expectLimits(touchVoltageDifference,
                 {{{i2016, {}, touchLimit(25)}, "", {}, 25, "≤ 25 V", "touch-voltage"}});
    const std::string rule = "earth-resistance-tt";
    expectLimits(
        earthResistance,
        {{{i2016, earthed("TT", 30)}, "3 wire", {}, 50 / 0.03, "≤ 1666.66 Ω", rule},
         {{i2016, earthed("tt", 300)}, "4 wire+S", {}, 50 / 0.3, "≤ 166.66 Ω", rule},
         {{i2016, earthed("TT", 30), touchLimit(25)}, "PK", {}, 25 / 0.03, "≤ 833.33 Ω", rule}});
    expectReadings(earthResistance,
                   {{{i2016, earthed("TT", 30)}, "", 1667, false, "fail", "≤ 1666.66 Ω"}});
    expectUnjudged(
        earthResistance, rule,
        {{{i2016, earthed("", 30)}, "", "bank.earthing"},
         {{i2016, earthed("TT", {})}, "", "bank.rcdCurrent"},
         {{i2016, earthed("TT", 0.03)}, "", "bank.rcdCurrent"},
         {{i2016, earthed("TT", 30), touchLimit(30)}, "", "inspection.touchVoltageLimit"},
         {{i2016, earthed("TN", 30)}, "", ""},
         {{i2016, earthed("IT", 30)}, "", ""}});
    expectUnjudged(touchVoltage, "touch-voltage",
                   {{{i2016, {}, touchLimit(65)}, "", "inspection.touchVoltageLimit"}});
}

TEST(InstallationVerdictTest, LoopImpedanceOfTnCircuitsAgainstTheExactQuotient) {
    const std::string rule = "loop-impedance";
    expectLimits(
        loopImpedance,
        {{{i2016, circuit("B16")}, "-", {}, 2.875, "≤ 2.87 Ω", rule},
         {{i2016, circuit("D20")}, "", {}, 0.575, "≤ 0.575 Ω", rule},
         {{i2016, circuit("C6", "tn-c-s")}, "", {}, 230.0 / 60, "≤ 3.83 Ω", rule},
         {{i2016, circuit(" c32 ", "TN-S")}, "", {}, 0.71875, "≤ 0.718 Ω", rule},
         {{i2016, circuit("B10A")}, "", {}, 4.6, "≤ 4.6 Ω", rule},
         {{i2016, circuit("B16", "TN", "240")}, "", {}, 3, "≤ 3 Ω", rule},
         {{i2016, circuit("B16", "TN", "400")}, "", {}, 2.875, "≤ 2.87 Ω", rule},
         {{i2016, circuit("B16", "TN", "120,5")}, "", {}, 120.5 / 80, "≤ 1.5 Ω", rule},
         {{i2016, circuit("B16", "TN", "690")}, "", {}, 5, "≤ 5 Ω", rule},
         {{i2016, circuit("B16"), loopFactor("0.8")}, "", {}, 2.3, "≤ 2.3 Ω", rule},
         {{i2016, circuit("B16"), loopFactor("2/3")}, "", {}, 230.0 / 120, "≤ 1.91 Ω", rule}});
    // What a reader checks against the published table: the rounded figures fail.
    expectReadings(loopImpedance, {{{i2016, circuit("B16")}, "", 2.88, false, "fail", "≤ 2.87 Ω"},
                                   {{i2016, circuit("B6")}, "", 7.67, false, "fail", "≤ 7.66 Ω"},
                                   {{i2016, circuit("B6")}, "", 7.66, false, "pass", "≤ 7.66 Ω"}});
    expectUnjudged(loopImpedance, rule,
                   {{{i2016, circuit("B16", "")}, "", "bank.earthing"},
                    {{i2016, circuit("B16", "TN-X")}, "", "bank.earthing"},
                    {{i2016, circuit("")}, "", "bank.device"},
                    {{i2016, circuit("K16")}, "", "bank.device"},
                    {{i2016, circuit("B")}, "", "bank.device"},
                    {{i2016, circuit("C0")}, "", "bank.device"},
                    {{i2016, circuit("B16", "TN", "230 W")}, "", "bank.nominalVoltage"},
                    {{i2016, circuit("B16"), loopFactor("0,5")}, "", "inspection.loopFactor"},
                    {{i2016, circuit("B16", "TT")}, "", ""},
                    {{i2016, circuit("", "IT")}, "", ""},
                    {{i2016, circuit("B16", "TN", "SELV")}, "", ""},
                    {{i2016, circuit("B16", "", "PELV")}, "", ""}});
    // The impedance an RCD test reports beside its touch voltage (U_IΔN / IΔn) is no loop
    // test: the protective device does not limit it.
    const Verdict companion =
        judgeReading({i2016, circuit("B16")}, loopImpedance, "", 47, false, false);
    EXPECT_EQ(companion.kind, VerdictKind::none);
    EXPECT_EQ(companion.rule, "");
}

// A TN circuit whose fault protection is an RCD meets the condition through it.
TEST(InstallationVerdictTest, LoopImpedanceOfATnCircuitWithAnRcd) {
    const Setting withBreaker{i2016, withRcd(circuit("B16"), 30)};
    const Verdict byBreaker = judgeReading(withBreaker, loopImpedance, "", 2.5);
    EXPECT_EQ(byBreaker.kind, VerdictKind::pass);
    EXPECT_EQ(byBreaker.rule, "loop-impedance");
    const Verdict byRcd = judgeReading(withBreaker, loopImpedance, "", 40);
    EXPECT_EQ(byRcd.kind, VerdictKind::pass);
    EXPECT_EQ(byRcd.rule, "loop-impedance-rcd");
    EXPECT_EQ(byRcd.remark, "rcd-disconnects");
    EXPECT_EQ(shownLimit(byRcd), "≤ 7666.66 Ω");
    EXPECT_STREQ(verdictName(judgeReading(withBreaker, loopImpedance, "", 7667).kind), "fail");
    expectLimits(loopImpedance, {{{i2016, withRcd(circuit(""), 300)},
                                  "",
                                  {},
                                  230 / 0.3,
                                  "≤ 766.66 Ω",
                                  "loop-impedance-rcd"}});
}

TEST(InstallationVerdictTest, ProtectiveConductorOpenFailsWithOrWithoutALimit) {
    expectLimits(conductorResistance,
                 {{{i2016, peLimit(0.5)}, "I>200mA", {}, 0.5, "≤ 0.5 Ω", "protective-conductor"},
                  {{i2016, peLimit(0.5)},
                   "I<200mA",
                   {},
                   0.5,
                   "≤ 0.5 Ω",
                   "protective-conductor",
                   "low-measuring-current"}});
    expectUnjudged(conductorResistance, "protective-conductor",
                   {{{i2016}, "I>200mA", "bank.peLimit"},
                    {{i2016}, "I<200mA", "bank.peLimit", "low-measuring-current"}});
    for (const BankDetails& bank : {BankDetails{}, peLimit(2000)}) {
        const Verdict open = judgeReading({i2016, bank}, conductorResistance, "", 1999, true);
        EXPECT_EQ(open.kind, VerdictKind::fail);
        EXPECT_EQ(open.rule, "protective-conductor");
        EXPECT_EQ(open.remark, "open-conductor");
    }
}

TEST(ApplianceVerdictTest, ProtectiveConductorByCordLength) {
    const std::string rule = "appliance-protective-conductor";
    expectLimits(conductorResistance,
                 {{{appliance, ofClass("I", 5)}, "", {}, 0.3, "≤ 0.3 Ω", rule},
                  {{appliance, ofClass("I", 5.1)}, "", {}, 0.4, "≤ 0.4 Ω", rule},
                  {{appliance, ofClass("I", 12.5)}, "", {}, 0.4, "≤ 0.4 Ω", rule},
                  {{appliance, ofClass("I", 12.6)}, "", {}, 0.5, "≤ 0.5 Ω", rule},
                  {{appliance, ofClass("I", 100)}, "", {}, 1, "≤ 1 Ω", rule},
                  {{appliance, ofClass("I", 5, 0.2)}, "", {}, 0.2, "≤ 0.2 Ω", rule},
                  {{appliance, ofClass("II", {}, 0.5)}, "", {}, 0.5, "≤ 0.5 Ω", rule}});
    expectUnjudged(conductorResistance, rule,
                   {{{appliance, ofClass("", 5)}, "", "bank.applianceClass"},
                    {{appliance, ofClass("I")}, "", "bank.cordLength"},
                    {{appliance, ofClass("II")}, "", ""},
                    {{appliance, ofClass("III")}, "", ""}});
    const Verdict open =
        judgeReading({appliance, ofClass("I")}, conductorResistance, "", 19.99, true);
    EXPECT_EQ(open.kind, VerdictKind::fail);
    EXPECT_EQ(open.remark, "open-conductor");
}

TEST(ApplianceVerdictTest, InsulationAndCurrentsByProtectionClass) {
    expectLimits(
        insulationResistance,
        {{{appliance, ofClass("I")}, "500V", 1e6, {}, "≥ 1 MΩ", "appliance-insulation"},
         {{appliance, ofClass("ii")}, "", 2e6, {}, "≥ 2 MΩ", "appliance-insulation"},
         {{appliance, ofClass("III")}, "250V", 0.25e6, {}, "≥ 0.25 MΩ", "appliance-insulation"}});
    expectUnjudged(insulationResistance, "appliance-insulation",
                   {{{appliance, ofClass("I")}, "100V", "", "low-test-voltage"},
                    {{appliance}, "", "bank.applianceClass"}});
    expectLimits(peCurrent,
                 {{{appliance, ofClass("I")}, "", {}, 3.5e-3, "≤ 3.5 mA", "appliance-pe-current"}});
    expectUnjudged(
        peCurrent, "appliance-pe-current",
        {{{appliance, ofClass("II")}, "", ""}, {{appliance}, "", "bank.applianceClass"}});
    expectLimits(
        touchCurrent,
        {{{appliance, ofClass("I")}, "", {}, 0.5e-3, "≤ 0.5 mA", "appliance-touch-current"},
         {{appliance, ofClass("II")}, "", {}, 0.5e-3, "≤ 0.5 mA", "appliance-touch-current"}});
    for (const auto& [code, rule] :
         {std::pair(substituteLeakage, "appliance-substitute-leakage"),
          std::pair(differentialLeakage, "appliance-differential-leakage")}) {
        expectLimits(code, {{{appliance, ofClass("I")}, "", {}, 3.5e-3, "≤ 3.5 mA", rule},
                            {{appliance, ofClass("II")}, "", {}, 0.5e-3, "≤ 0.5 mA", rule}});
    }
    for (int code : {touchCurrent, substituteLeakage, differentialLeakage}) {
        expectUnjudged(code, "", {{{appliance, ofClass("III")}, "", ""}});
    }
}

TEST(VerdictTest, ReadingsComputedFromCountsMeetTheirLimitExactly) {
    const Setting setting{i2016, peLimit(0.3)};
    EXPECT_EQ(verdictOf(setting, conductorResistance, "", 30 * 0.01), "pass");
    EXPECT_EQ(verdictOf(setting, conductorResistance, "", 0.31), "fail");
    // "<" is below its negative value and so within any maximum above zero.
    EXPECT_EQ(verdictOf(setting, conductorResistance, "", -0.01, true), "pass");
}

TEST(VerdictTest, QuantitiesOutsideTheProfileOrWithoutLimitsAreNotJudged) {
    BankDetails everything = circuit("B16", "TT", "230");
    everything.rcdCurrent = 30;
    everything.rcdType = "A";
    everything.peLimit = 0.5;
    everything.applianceClass = "I";
    everything.cordLength = 5;
    for (const std::string& profile : {i2016, i2006, i2001, appliance}) {
        for (int code : {0,  1,  2,  8,  9,  10, 12, 13, 14, 16, 17, 22,
                         23, 24, 26, 27, 28, 29, 30, 32, 33, 34, 99, 100000}) {
            expectUnjudged(code, "", {{{profile, everything}, "AC", ""}});
        }
    }
    for (int code : {3, 4, 5, 6, 11, 25, 31}) {
        expectUnjudged(code, "", {{{appliance, everything}, "", ""}});
    }
    for (int code : {18, 19, 20, 21}) {
        expectUnjudged(code, "", {{{i2016, everything}, "", ""}});
    }
    expectUnjudged(conductorResistance, "", {{{"installation", everything}, "", ""}});
    EXPECT_EQ(ruleSource("insulation"), "");
}

TEST(VerdictTest, NamedProfileWinsElseTheContentDecides) {
    const auto installationData = test::DataBuilder().bank(1).item(loopImpedance, 0.4).build();
    const auto numberedData =
        test::DataBuilder().bank(1).item(conductorResistance, 0.1).numbered(4).build();
    const auto currentData = test::DataBuilder().bank(2).item(12, 3).item(999, 1).build();
    const auto emptyData = test::DataBuilder().emptyBank(1).build();
    InspectionDetails inspection;
    EXPECT_EQ(effectiveProfile(*installationData, inspection), i2016);
    EXPECT_EQ(effectiveProfile(*numberedData, inspection), appliance);
    EXPECT_EQ(effectiveProfile(*currentData, inspection), appliance);
    EXPECT_EQ(effectiveProfile(*emptyData, inspection), i2016);
    inspection.profile = "appliances";
    EXPECT_EQ(effectiveProfile(*numberedData, inspection), appliance);
    inspection.profile = i2001;
    EXPECT_EQ(effectiveProfile(*numberedData, inspection), i2001);
    inspection.profile = appliance;
    EXPECT_EQ(effectiveProfile(*installationData, inspection), appliance);
}

// Pass needs every judged item passed and nothing left for a missing detail.
TEST(VerdictTest, OverallPassesOnlyWhatWasWhollyJudged) {
    const Verdict passed{VerdictKind::pass, atMost(1, ohms), "r", {}, {}};
    const Verdict failed{VerdictKind::fail, atMost(1, ohms), "r", {}, {}};
    const Verdict notJudged{};
    const Verdict lackingDevice{VerdictKind::none, {}, "r", "bank.device", {}};
    const Verdict lackingEarthing{VerdictKind::none, {}, "r", "bank.earthing", {}};
    struct Case {
        std::vector<Verdict> verdicts;
        Overall overall;
    };
    const Case cases[] = {
        {{}, Overall::none},
        {{notJudged}, Overall::none},
        {{notJudged, passed}, Overall::pass},
        {{passed, lackingDevice}, Overall::incomplete},
        {{lackingDevice, failed, passed}, Overall::fail},
    };
    for (const Case& c : cases) {
        VerdictCounts counts;
        for (const Verdict& verdict : c.verdicts) {
            counts.add(verdict);
        }
        EXPECT_STREQ(overallName(counts.overall()), overallName(c.overall));
    }
    VerdictCounts counts;
    for (const Verdict& verdict :
         {passed, lackingEarthing, notJudged, lackingDevice, lackingEarthing, failed}) {
        counts.add(verdict);
    }
    EXPECT_EQ(counts.pass, 1);
    EXPECT_EQ(counts.fail, 1);
    EXPECT_EQ(counts.missing, 3);
    EXPECT_EQ(counts.none, 1);
    EXPECT_EQ(counts.missingDetails, (std::vector<std::string>{"bank.earthing", "bank.device"}));
}

}  // namespace
}  // namespace kadenza

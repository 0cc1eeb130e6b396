#include <gtest/gtest.h>

#include <optional>
#include <sstream>
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

BankDetails circuit(const std::string& device, const std::string& earthing = "",
                    const std::string& nominalVoltage = "") {
    BankDetails bank = nominal(nominalVoltage);
    bank.device = device;
    bank.earthing = earthing;
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

// Every reading opens its record, as a loop or insulation test's own reading does.
Verdict judgeReading(const Setting& setting, int code, const std::string& note, double value,
                     bool over = false, bool primary = true) {
    const InstrumentItem item(value, code, note, primary, over);
    return judge(item, setting.profile, setting.inspection, setting.bank);
}

std::string verdictOf(const Setting& setting, int code, const std::string& note, double value,
                      bool over = false) {
    return verdictName(judgeReading(setting, code, note, value, over).kind);
}

// The ends of a limit text ("≥ 1 MΩ", "15 … 30 mA") in base units.
struct Ends {
    std::optional<double> min;
    std::optional<double> max;
};

Ends endsOf(const std::string& limit) {
    std::istringstream stream(limit);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) {
        words.push_back(word);
    }
    const std::string& unit = words.back();
    const double scale = unit == "MΩ" ? 1e6 : unit == "ms" || unit == "mA" ? 1e-3 : 1;
    if (words[0] == "≥") {
        return {std::stod(words[1]) * scale, std::nullopt};
    }
    if (words[0] == "≤") {
        return {std::nullopt, std::stod(words[1]) * scale};
    }
    return {std::stod(words[0]) * scale, std::stod(words[2]) * scale};
}

// A row of a limit table: under this setting, an item with this note is judged by this limit.
struct LimitRow {
    Setting setting;
    std::string note;
    std::string limit;
};

// Each row's limit is the one applied: a reading at either end passes, one a thousandth beyond
// fails, and a reading over range (">") passes a minimum it reaches and fails any maximum.
void expectLimits(int code, const std::string& rule, const std::vector<LimitRow>& rows) {
    for (const LimitRow& row : rows) {
        SCOPED_TRACE(row.setting.profile + ", code " + std::to_string(code) + ", note '" +
                     row.note + "', " + row.limit);
        const Ends ends = endsOf(row.limit);
        const double inside = ends.min ? *ends.min : *ends.max;
        const Verdict verdict = judgeReading(row.setting, code, row.note, inside);
        EXPECT_EQ(verdict.limit, row.limit);
        EXPECT_EQ(verdict.rule, rule);
        EXPECT_EQ(verdict.missing, "");
        EXPECT_NE(ruleSource(verdict.rule), "");
        EXPECT_STREQ(verdictName(verdict.kind), "pass");
        EXPECT_EQ(verdictOf(row.setting, code, row.note, inside, true), ends.max ? "fail" : "pass");
        if (ends.min) {
            EXPECT_EQ(verdictOf(row.setting, code, row.note, *ends.min * 0.999), "fail");
        }
        if (ends.max) {
            EXPECT_EQ(verdictOf(row.setting, code, row.note, *ends.max), "pass");
            EXPECT_EQ(verdictOf(row.setting, code, row.note, *ends.max * 1.001), "fail");
        }
    }
}

// A row a rule does not judge: none, naming the missing detail and the rule, or, with no
// missing detail, nothing at all.
struct UnjudgedRow {
    Setting setting;
    std::string note;
    std::string missing;
};

void expectUnjudged(int code, const std::string& rule, const std::vector<UnjudgedRow>& rows) {
    for (const UnjudgedRow& row : rows) {
        SCOPED_TRACE(row.setting.profile + ", code " + std::to_string(code) + ", note '" +
                     row.note + "'");
        const Verdict verdict = judgeReading(row.setting, code, row.note, 1);
        EXPECT_STREQ(verdictName(verdict.kind), "none");
        EXPECT_EQ(verdict.limit, "");
        EXPECT_EQ(verdict.rule, row.missing.empty() ? "" : rule);
        EXPECT_EQ(verdict.missing, row.missing);
    }
}

TEST(InstallationVerdictTest, InsulationByTestVoltageAndEdition) {
    expectLimits(insulationResistance, "insulation-2016",
                 {{{i2016}, "250V", "≥ 0.5 MΩ"},
                  {{i2016}, "500V", "≥ 1 MΩ"},
                  {{i2016}, "1000V", "≥ 1 MΩ"},
                  {{i2016}, "L-PE", "≥ 1 MΩ"}});
    expectLimits(insulationResistance, "insulation-2006",
                 {{{i2006}, "250V", "≥ 0.25 MΩ"},
                  {{i2006}, "500V", "≥ 0.5 MΩ"},
                  {{i2006}, "1000V", "≥ 1 MΩ"},
                  {{i2006}, "", "≥ 0.5 MΩ"},
                  {{i2006, nominal("SELV")}, "", "≥ 0.25 MΩ"},
                  {{i2006, nominal(" pelv")}, "", "≥ 0.25 MΩ"},
                  {{i2006, nominal("500 V")}, "", "≥ 0.5 MΩ"},
                  {{i2006, nominal("501")}, "", "≥ 1 MΩ"},
                  {{i2006, nominal("690")}, "250V", "≥ 0.25 MΩ"}});
    expectUnjudged(insulationResistance, "", {{{i2016}, "50V", ""}, {{i2006}, "100V", ""}});
}

TEST(InstallationVerdictTest, RcdTimesGeneralAndSelective) {
    expectLimits(
        tripTime, "rcd-time",
        {{{i2016}, "30mA AC +", "≤ 300 ms"}, {{i2016, rcd(30, "AC", false)}, "30 mA", "≤ 300 ms"}});
    expectLimits(tripTime, "rcd-time-selective",
                 {{{i2016, rcd(100, "A", true)}, "100mA A -", "130 … 500 ms"}});
    expectLimits(tripTimeFiveTimes, "rcd-time-5x", {{{i2016}, "10mA AC +", "≤ 40 ms"}});
    expectLimits(tripTimeFiveTimes, "rcd-time-5x-selective",
                 {{{i2016, rcd({}, "", true)}, "300 mA", "50 … 150 ms"}});
}

TEST(InstallationVerdictTest, RcdCurrentWindowByTypeAndRatedCurrent) {
    expectLimits(tripCurrent, "rcd-current",
                 {{{i2016}, "30mA AC +", "15 … 30 mA"},
                  {{i2016}, "30mA A +", "10.5 … 42 mA"},
                  {{i2016, rcd(30, "A")}, "10 mA", "3.5 … 20 mA"},
                  {{i2016, rcd({}, "a")}, "6 mA", "2.1 … 12 mA"},
                  {{i2016, rcd(30, "B")}, "", "15 … 60 mA"},
                  {{i2016, rcd(30, "F")}, "", "10.5 … 42 mA"},
                  {{i2016, rcd(100, "AC")}, "30mA A +", "10.5 … 42 mA"},
                  {{i2016, rcd(100, "A")}, "AC +", "50 … 100 mA"},
                  {{i2016, rcd(30, "AC")}, "RCD 30 mA", "15 … 30 mA"}});
    expectUnjudged(tripCurrent, "rcd-current",
                   {{{i2016, rcd({}, "AC")}, "", "bank.rcdCurrent"},
                    {{i2016, rcd(0, "AC")}, "", "bank.rcdCurrent"},
                    {{i2016}, "30 mA", "bank.rcdType"},
                    {{i2016, rcd(30, "EV")}, "", "bank.rcdType"}});
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

TEST(InstallationVerdictTest, TouchVoltageAndTtEarthResistance) {
    expectLimits(touchVoltage, "touch-voltage",
                 {{{i2016}, "30mA ", "≤ 50 V"}, {{i2006, {}, touchLimit(25)}, "100mA ", "≤ 25 V"}});
    expectLimits(touchVoltageDifference, "touch-voltage",
                 {{{i2016, {}, touchLimit(25)}, "", "≤ 25 V"}});
    expectLimits(earthResistance, "earth-resistance-tt",
                 {{{i2016, earthed("TT", 30)}, "3 wire", "≤ 1667 Ω"},
                  {{i2016, earthed("tt", 300)}, "4 wire+S", "≤ 167 Ω"},
                  {{i2016, earthed("TT", 30), touchLimit(25)}, "PK", "≤ 833 Ω"}});
    expectUnjudged(earthResistance, "earth-resistance-tt",
                   {{{i2016, earthed("", 30)}, "", "bank.earthing"},
                    {{i2016, earthed("TT", {})}, "", "bank.rcdCurrent"},
                    {{i2016, earthed("TN", 30)}, "", ""},
                    {{i2016, earthed("IT", 30)}, "", ""}});
}

TEST(InstallationVerdictTest, LoopImpedanceRoundedAndCorrected) {
    expectLimits(loopImpedance, "loop-impedance",
                 {{{i2016, circuit("B16")}, "-", "≤ 2.88 Ω"},
                  {{i2016, circuit("D20")}, "", "≤ 0.58 Ω"},
                  {{i2016, circuit("C6", "TN")}, "", "≤ 3.83 Ω"},
                  {{i2016, circuit(" c32 ", "TN-S")}, "", "≤ 0.72 Ω"},
                  {{i2016, circuit("B10A")}, "", "≤ 4.6 Ω"},
                  {{i2016, circuit("B16", "", "240")}, "", "≤ 3 Ω"},
                  {{i2016, circuit("B16", "", "400")}, "", "≤ 2.88 Ω"},
                  {{i2016, circuit("B16", "", "690")}, "", "≤ 5 Ω"},
                  {{i2016, circuit("B16", "", "500")}, "", "≤ 3.61 Ω"},
                  {{i2016, circuit("B16"), loopFactor("0.8")}, "", "≤ 2.3 Ω"},
                  {{i2016, circuit("B16"), loopFactor("2/3")}, "", "≤ 1.92 Ω"},
                  {{i2016, circuit("B16"), loopFactor("0,5")}, "", "≤ 2.88 Ω"}});
    expectUnjudged(loopImpedance, "loop-impedance",
                   {{{i2016}, "", "bank.device"},
                    {{i2016, circuit("K16")}, "", "bank.device"},
                    {{i2016, circuit("B")}, "", "bank.device"},
                    {{i2016, circuit("C0")}, "", "bank.device"},
                    {{i2016, circuit("gG16")}, "", "bank.device"},
                    {{i2016, circuit("B16", "TT")}, "", ""},
                    {{i2016, circuit("", "IT")}, "", ""}});
    // The impedance an RCD test reports beside its touch voltage (U_IΔN / IΔn) is no loop
    // test: the protective device does not limit it.
    const Verdict companion =
        judgeReading({i2016, circuit("B16")}, loopImpedance, "", 47, false, false);
    EXPECT_EQ(companion.kind, VerdictKind::none);
    EXPECT_EQ(companion.rule, "");
}

TEST(InstallationVerdictTest, ProtectiveConductorOnlyAgainstTheBanksLimit) {
    expectLimits(conductorResistance, "protective-conductor",
                 {{{i2016, ofClass("", {}, 0.5)}, "I<200mA", "≤ 0.5 Ω"}});
    expectUnjudged(conductorResistance, "protective-conductor",
                   {{{i2016}, "I>200mA", "bank.peLimit"}});
}

TEST(ApplianceVerdictTest, ProtectiveConductorByCordLength) {
    expectLimits(conductorResistance, "appliance-protective-conductor",
                 {{{appliance, ofClass("I", 5)}, "", "≤ 0.3 Ω"},
                  {{appliance, ofClass("I", 5.1)}, "", "≤ 0.4 Ω"},
                  {{appliance, ofClass("I", 12.5)}, "", "≤ 0.4 Ω"},
                  {{appliance, ofClass("I", 12.6)}, "", "≤ 0.5 Ω"},
                  {{appliance, ofClass("I", 100)}, "", "≤ 1 Ω"},
                  {{appliance, ofClass("I", 5, 0.2)}, "", "≤ 0.2 Ω"},
                  {{appliance, ofClass("II", {}, 0.5)}, "", "≤ 0.5 Ω"}});
    expectUnjudged(conductorResistance, "appliance-protective-conductor",
                   {{{appliance, ofClass("", 5)}, "", "bank.applianceClass"},
                    {{appliance, ofClass("I")}, "", "bank.cordLength"},
                    {{appliance, ofClass("II")}, "", ""},
                    {{appliance, ofClass("III")}, "", ""}});
}

TEST(ApplianceVerdictTest, InsulationAndCurrentsByProtectionClass) {
    expectLimits(insulationResistance, "appliance-insulation",
                 {{{appliance, ofClass("I")}, "500V", "≥ 1 MΩ"},
                  {{appliance, ofClass("ii")}, "", "≥ 2 MΩ"},
                  {{appliance, ofClass("III")}, "250V", "≥ 0.25 MΩ"}});
    expectUnjudged(
        insulationResistance, "appliance-insulation",
        {{{appliance, ofClass("I")}, "100V", ""}, {{appliance}, "", "bank.applianceClass"}});
    expectLimits(peCurrent, "appliance-pe-current", {{{appliance, ofClass("I")}, "", "≤ 3.5 mA"}});
    expectUnjudged(
        peCurrent, "appliance-pe-current",
        {{{appliance, ofClass("II")}, "", ""}, {{appliance}, "", "bank.applianceClass"}});
    expectLimits(touchCurrent, "appliance-touch-current",
                 {{{appliance, ofClass("I")}, "", "≤ 0.5 mA"},
                  {{appliance, ofClass("II")}, "", "≤ 0.5 mA"}});
    for (const auto& [code, rule] :
         {std::pair(substituteLeakage, "appliance-substitute-leakage"),
          std::pair(differentialLeakage, "appliance-differential-leakage")}) {
        expectLimits(code, rule,
                     {{{appliance, ofClass("I")}, "", "≤ 3.5 mA"},
                      {{appliance, ofClass("II")}, "", "≤ 0.5 mA"}});
    }
    for (int code : {touchCurrent, substituteLeakage, differentialLeakage}) {
        expectUnjudged(code, "", {{{appliance, ofClass("III")}, "", ""}});
    }
}

TEST(VerdictTest, ReadingsComputedFromCountsMeetTheirLimitExactly) {
    const Setting setting{i2016, ofClass("", {}, 0.3)};
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
    for (const std::string& profile : {i2016, i2006, appliance}) {
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
    inspection.profile = i2006;
    EXPECT_EQ(effectiveProfile(*numberedData, inspection), i2006);
    inspection.profile = appliance;
    EXPECT_EQ(effectiveProfile(*installationData, inspection), appliance);
}

TEST(VerdictTest, OverallFailsOnAnyFailureAndPassesOnAnyPass) {
    VerdictCounts counts;
    counts.add(VerdictKind::none);
    EXPECT_EQ(counts.overall(), VerdictKind::none);
    counts.add(VerdictKind::pass);
    EXPECT_EQ(counts.overall(), VerdictKind::pass);
    counts.add(VerdictKind::fail);
    counts.add(VerdictKind::pass);
    EXPECT_EQ(counts.overall(), VerdictKind::fail);
    EXPECT_EQ(counts.pass, 2);
    EXPECT_EQ(counts.fail, 1);
    EXPECT_EQ(counts.none, 1);
    EXPECT_STREQ(verdictName(VerdictKind::fail), "fail");
}

}  // namespace
}  // namespace kadenza

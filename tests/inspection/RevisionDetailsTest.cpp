#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "inspection/Conclusion.h"
#include "inspection/DetailsDocument.h"
#include "inspection/ReportCompleteness.h"
#include "inspection/RevisionPeriods.h"
#include "language/Language.h"
#include "support/SampleData.h"

namespace kadenza::test {
namespace {

constexpr int insulation = 15;

DetailsDocument detailsOf(const std::vector<std::pair<std::string, std::string>>& values) {
    DetailsDocument details;
    for (const auto& [name, value] : values) {
        details.set(name, value);
    }
    return details;
}

// The revision's own details take the values a report needs, written one way, and refuse the
// rest as every detail does.
TEST(RevisionDetailsTest, InstrumentsChecksAndDefectsAreDetailsLikeAnyOther) {
    const DetailsDocument details = detailsOf({{"instrument.2.model", "Mx350"},
                                               {"instrument.2.calibrationDate", "2026-03-12"},
                                               {"check.connections", "OK"},
                                               {"check.rcdTestButton", "defect"},
                                               {"defect.1.text", "Chybí označení obvodů"},
                                               {"defect.1.class", "Potential"},
                                               {"defect.1.bank", "-3"},
                                               {"inspection.kind", "periodic"},
                                               {"inspection.environment", " damp , DUST"},
                                               {"inspection.location", "school"},
                                               {"inspection.operator", "Družstvo"}});
    ASSERT_EQ(details.instruments().size(), 1u);
    EXPECT_EQ(details.instruments()[0].number, 2);
    EXPECT_EQ(details.instruments()[0].calibrationDate, "2026-03-12");
    EXPECT_EQ(details.check("connections"), "ok");
    EXPECT_EQ(details.check("interlocks"), "");
    ASSERT_EQ(details.defects().size(), 1u);
    EXPECT_EQ(details.defects()[0].defectClass, "potential");
    EXPECT_EQ(details.defects()[0].bank, -3);
    EXPECT_EQ(details.inspection().environment, "damp,dust");
    EXPECT_EQ(details.inspection().operatorName, "Družstvo");

    const std::pair<const char*, const char*> refused[] = {
        {"check.everything", "ok"},
        {"check.connections", "fine"},
        {"check.connections.x", "ok"},
        {"defect.0.text", "x"},
        {"defect.x.text", "x"},
        {"defect.1.class", "C1"},
        {"defect.1.deadline", "2027-02-29"},
        {"defect.1.bank", "1.5"},
        {"instrument.-1.model", "Mx350"},
        {"instrument.model", "Mx350"},
        {"inspection.kind", "annual"},
        {"inspection.environment", "damp,swamp"},
        {"inspection.conclusion", "fine"},
    };
    for (const auto& [name, value] : refused) {
        DetailsDocument copy = details;
        EXPECT_THROW(copy.set(name, value), std::invalid_argument) << name << "=" << value;
        EXPECT_EQ(copy.toJson(), details.toJson()) << name;
    }
    // The download's instrument is instrument 1 where the details give none of its own.
    const DetailsDocument downloaded =
        detailsOf({{"inspection.model", "Mx350"}, {"instrument.1.calibrationSheet", "KL 1"}});
    ASSERT_EQ(downloaded.instruments().size(), 1u);
    EXPECT_EQ(downloaded.instruments()[0].model, "Mx350");
    EXPECT_EQ(downloaded.instruments()[0].calibrationSheet, "KL 1");
}

// A revision's dates come in order, and no conclusion of safe stands beside a defect that
// endangers safety or, in an initial revision, a value that fails.
TEST(RevisionDetailsTest, DatesInOrderAndTheConclusionRule) {
    DetailsDocument dates = detailsOf({{"inspection.date", "2026-12-01"},
                                       {"inspection.endDate", "2026-12-02"},
                                       {"inspection.reportDate", "2026-12-04"},
                                       {"inspection.handoverDate", "2026-12-07"}});
    EXPECT_NO_THROW(dates.checkConsistent());
    for (const auto& [name, value] : {std::pair("inspection.endDate", "2026-11-30"),
                                      std::pair("inspection.handoverDate", "2026-12-03"),
                                      std::pair("inspection.nextDate", "2026-12-01")}) {
        DetailsDocument wrong = dates;
        wrong.set(name, value);
        EXPECT_THROW(wrong.checkConsistent(), std::invalid_argument) << name;
    }

    const auto data = DataBuilder().bank(1).item(insulation, 0.4e6, true, false, "500V").build();
    DetailsDocument revision = detailsOf({{"inspection.kind", "periodic"},
                                          {"inspection.conclusion", "safe"},
                                          {"defect.1.class", "improvement"}});
    EXPECT_NO_THROW(revision.checkConsistent());
    EXPECT_EQ(reasonAgainstSafe(*data, revision), "");
    revision.set("inspection.kind", "initial");
    SetLanguage(englishLanguage);
    EXPECT_EQ(reasonAgainstSafe(*data, revision),
              "measured values failing their limits in an initial revision: 1");
    revision.set("defect.2.class", "danger");
    EXPECT_EQ(reasonAgainstSafe(*data, revision), "defect 2 endangers safety");
    SetLanguage(czechLanguage);
    EXPECT_THROW(revision.checkConsistent(), std::invalid_argument);
    revision.set("inspection.conclusion", "unsafe");
    EXPECT_NO_THROW(revision.checkConsistent());
}

// Every date detail takes a date typed the Czech way and keeps it as an ISO date.
TEST(RevisionDetailsTest, DatesTypedTheCzechWayAreKeptAsIsoDates) {
    struct Case {
        const char* typed;
        const char* kept;  // empty: refused
    };
    const Case cases[] = {
        {"2026-12-08", "2026-12-08"},
        {"8.12.2026", "2026-12-08"},
        {"8. 12. 2026", "2026-12-08"},
        {" 08.01.2027 ", "2027-01-08"},
        {"29. 2. 2028", "2028-02-29"},
        {"29. 2. 2027", ""},
        {"8.12.26", ""},
        {"8 12 2026", ""},
        {"8.12.2026.", ""},
        {"12/8/2026", ""},
        {"8..12.2026", ""},
        {"2026-12-8", ""},
    };
    for (const char* name : {"inspection.date", "inspection.nextDate",
                             "instrument.1.calibrationDate", "defect.1.deadline"}) {
        for (const Case& c : cases) {
            DetailsDocument details;
            if (*c.kept == '\0') {
                EXPECT_THROW(details.set(name, c.typed), std::invalid_argument)
                    << name << " " << c.typed;
                continue;
            }
            details.set(name, c.typed);
            EXPECT_NE(details.toJson().find(std::string("\"") + c.kept + "\""), std::string::npos)
                << name << " " << c.typed;
        }
    }
}

// The next revision is the end of this one plus the shortest period its environment and place
// allow, unless the technician dates it.
TEST(RevisionDetailsTest, TheNextRevisionByTheShortestPeriodThatApplies) {
    struct Case {
        std::vector<std::pair<std::string, std::string>> details;
        std::string date;
        std::string key;
    };
    const Case cases[] = {
        {{{"inspection.endDate", "2026-12-02"}, {"inspection.environment", "normal"}},
         "2031-12-02",
         "normal"},
        {{{"inspection.endDate", "2026-12-02"},
          {"inspection.environment", "normal"},
          {"inspection.location", "commonParts"}},
         "2028-12-02",
         "commonParts"},
        {{{"inspection.date", "2026-12-01"}, {"inspection.environment", "damp,wet,dust"}},
         "2027-12-01",
         "wet"},
        {{{"inspection.endDate", "2024-08-31"}, {"inspection.location", "construction"}},
         "2025-02-28",
         "construction"},
        {{{"inspection.endDate", "2024-02-29"}, {"inspection.environment", "vibration"}},
         "2026-02-28",
         "vibration"},
        {{{"inspection.endDate", "2026-12-02"},
          {"inspection.environment", "normal"},
          {"inspection.nextDate", "2027-06-30"}},
         "2027-06-30",
         ""},
    };
    for (const Case& c : cases) {
        const auto next = nextRevision(detailsOf(c.details).inspection());
        ASSERT_TRUE(next) << c.date;
        EXPECT_EQ(next->date, c.date);
        EXPECT_EQ(next->period ? next->period->key : "", c.key) << c.date;
    }
    EXPECT_FALSE(nextRevision(detailsOf({{"inspection.environment", "normal"}}).inspection()));
    EXPECT_FALSE(nextRevision(detailsOf({{"inspection.date", "2026-12-01"}}).inspection()));
}

// A report lacks each mandatory item by the name it is set with, and nothing once all is set.
TEST(RevisionDetailsTest, WhatTheReportLacksIsNamedAsItIsSet) {
    const auto data = DataBuilder().bank(1).item(insulation, 4e6, true, false, "500V").build();
    DetailsDocument details = detailsOf({{"inspection.kind", "extraordinary"},
                                         {"defect.1.text", "x"},
                                         {"defect.1.class", "potential"}});
    std::vector<std::string> missing;
    for (const MissingItem& item : missingReportItems(*data, details)) {
        missing.push_back(item.key);
    }
    for (const char* item : {"inspection.operator", "inspection.reason", "inspection.endDate",
                             "instrument.1.model", "check.connections", "check.interlocks",
                             "defect.1.provision", "defect.1.deadline", "inspection.conclusion"}) {
        EXPECT_NE(std::find(missing.begin(), missing.end(), item), missing.end()) << item;
    }
    for (const char* item : {"inspection.kind", "defect.1.text", "defect.1.class"}) {
        EXPECT_EQ(std::find(missing.begin(), missing.end(), item), missing.end()) << item;
    }
    for (const std::string& name : missing) {
        if (name.rfind("check.", 0) == 0 || name.rfind("instrument.", 0) == 0) {
            details.set(name, name.rfind("check.", 0) == 0 ? "ok" : "x");
        }
    }
    for (const auto& [name, value] : std::vector<std::pair<std::string, std::string>>{
             {"inspection.operator", "Družstvo"},
             {"inspection.reason", "požár"},
             {"inspection.site", "Brno"},
             {"inspection.scope", "vše"},
             {"inspection.inspector", "Dvořák"},
             {"inspection.licence", "1234"},
             {"inspection.date", "2026-12-01"},
             {"inspection.endDate", "2026-12-02"},
             {"inspection.reportDate", "2026-12-03"},
             {"inspection.handoverDate", "2026-12-04"},
             {"inspection.documents", "projekt"},
             {"instrument.1.serial", "1"},
             {"instrument.1.calibrationSheet", "1"},
             {"instrument.1.calibrationDate", "2026-01-01"},
             {"defect.1.provision", "čl. 1"},
             {"defect.1.deadline", "2027-01-01"},
             {"inspection.conclusion", "unsafe"},
             {"inspection.conclusionText", "závada 1"},
             {"inspection.location", "school"}}) {
        details.set(name, value);
    }
    EXPECT_EQ(missingReportItems(*data, details), std::vector<MissingItem>{});
}

// An installation is safe to operate only with no defect of class C1, C2 or FI: "safe" beside
// one is refused, and the reason names the defect by its place among the defects.
struct ClassCase {
    const char* defectClass;
    const char* reason;
};

class ConclusionClassTest : public ::testing::TestWithParam<ClassCase> {
  protected:
    void TearDown() override { SetLanguage(czechLanguage); }
};

TEST_P(ConclusionClassTest, SafeStandsOnlyBesideImprovements) {
    SetLanguage(englishLanguage);
    const auto data = DataBuilder().bank(1).item(insulation, 4e6, true, false, "500V").build();
    const DetailsDocument revision = detailsOf({{"inspection.conclusion", "safe"},
                                                {"defect.3.class", "improvement"},
                                                {"defect.5.class", GetParam().defectClass}});
    EXPECT_EQ(reasonAgainstSafe(*data, revision), GetParam().reason);
    if (*GetParam().reason == '\0') {
        EXPECT_NO_THROW(revision.checkConsistent());
    } else {
        EXPECT_THROW(revision.checkConsistent(), std::invalid_argument);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Classes, ConclusionClassTest,
    ::testing::Values(ClassCase{"danger", "defect 2 endangers safety"},
                      ClassCase{"potential", "defect 2 is potentially dangerous"},
                      ClassCase{"investigate", "defect 2 needs further investigation"},
                      ClassCase{"improvement", ""}));

// A detail of white space only is none given: set, it removes the detail; imported, it is left
// out; kept so in a file, it reads as missing.
TEST(RevisionDetailsTest, BlankDetailsAreNotGiven) {
    for (const char* blank : {" ", "   ", "\t \t", "\u00a0", "\u2003 \u200b", "\n"}) {
        DetailsDocument details = detailsOf({{"inspection.operator", "Družstvo"}});
        details.set("inspection.operator", blank);
        EXPECT_TRUE(details.empty()) << blank;
    }
    const DetailsDocument imported = DetailsDocument::imported(
        R"({"version": 1, "inspection": {"licence": " ", "date": "  ", "site": "Brno"}})");
    EXPECT_EQ(imported.inspection().licence, "");
    EXPECT_EQ(imported.inspection().site, "Brno");
    EXPECT_EQ(imported.toJson().find("licence"), std::string::npos);

    const auto data = DataBuilder().bank(1).item(insulation, 4e6, true, false, "500V").build();
    const DetailsDocument stored = DetailsDocument::fromJson(
        R"({"version": 1, "inspection": {"operator": "   ", "licence": "\t"},
            "checks": {"connections": " "}})");
    EXPECT_EQ(stored.inspection().operatorName, "");
    std::vector<std::string> missing;
    for (const MissingItem& item : missingReportItems(*data, stored)) {
        missing.push_back(item.key);
    }
    for (const char* key : {"inspection.operator", "inspection.licence", "check.connections"}) {
        EXPECT_NE(std::find(missing.begin(), missing.end(), key), missing.end()) << key;
    }
}

// What the report lacks carries the detail's key for the command line and the report's words
// in its language, a defect named by its place among the defects.
TEST(RevisionDetailsTest, MissingItemsHaveKeysAndWords) {
    const auto data = DataBuilder().bank(1).item(insulation, 4e6, true, false, "500V").build();
    const DetailsDocument details = detailsOf({{"inspection.kind", "extraordinary"},
                                               {"instrument.1.model", "Mx350"},
                                               {"defect.4.text", "x"},
                                               {"defect.4.class", "improvement"}});
    for (const auto& [language, expected] :
         {std::pair(czechLanguage,
                    std::vector<MissingItem>{{"inspection.operator", "provozovatel"},
                                             {"inspection.scope", "rozsah revize"},
                                             {"inspection.reason", "důvod"},
                                             {"instrument.1.serial", "výrobní číslo přístroje 1"},
                                             {"check.connections", "výsledek „Spoje vodičů“"},
                                             {"defect.4.provision", "ustanovení závady 1"},
                                             {"inspection.nextDate or inspection.environment "
                                              "or inspection.location",
                                              "příští pravidelná revize"}}),
          std::pair(englishLanguage,
                    std::vector<MissingItem>{
                        {"inspection.handoverDate", "report handed over"},
                        {"instrument.1.calibrationSheet", "calibration sheet of instrument 1"},
                        {"defect.4.deadline", "deadline of defect 1"}})}) {
        SetLanguage(language);
        const std::vector<MissingItem> missing = missingReportItems(*data, details);
        for (const MissingItem& item : expected) {
            EXPECT_NE(std::find(missing.begin(), missing.end(), item), missing.end())
                << item.key << ": " << item.words;
        }
    }
    SetLanguage(czechLanguage);
}

// A calibration holds from its date for its interval (12 months unless given) and must not be
// dated after the revision ended.
struct CalibrationCase {
    const char* calibrated;
    const char* interval;
    const char* fault;
};

class CalibrationTest : public ::testing::TestWithParam<CalibrationCase> {
  protected:
    void TearDown() override { SetLanguage(czechLanguage); }
};

TEST_P(CalibrationTest, ACalibrationThatDidNotHoldMakesADraft) {
    SetLanguage(englishLanguage);
    const auto data = DataBuilder().bank(1).item(insulation, 4e6, true, false, "500V").build();
    const DetailsDocument details =
        detailsOf({{"inspection.date", "2026-12-01"},
                   {"inspection.endDate", "2026-12-03"},
                   {"instrument.2.model", "Mx350"},
                   {"instrument.2.serial", "0042"},
                   {"instrument.2.calibrationDate", GetParam().calibrated},
                   {"instrument.2.calibrationInterval", GetParam().interval}});
    const std::vector<MissingItem> missing = missingReportItems(*data, details);
    const auto fault = std::find_if(missing.begin(), missing.end(), [](const MissingItem& item) {
        return item.key == "instrument.2.calibrationDate";
    });
    if (*GetParam().fault == '\0') {
        EXPECT_EQ(fault, missing.end());
    } else {
        ASSERT_NE(fault, missing.end());
        EXPECT_EQ(fault->words, GetParam().fault);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Dates, CalibrationTest,
    ::testing::Values(
        CalibrationCase{"2026-12-04", "",
                        "a valid calibration of instrument 2 (Mx350 0042): it is dated after "
                        "the revision"},
        CalibrationCase{"2025-12-03", "", ""},
        CalibrationCase{"2025-12-02", "",
                        "a valid calibration of instrument 2 (Mx350 0042): it is older than 12 "
                        "months"},
        CalibrationCase{"2025-12-02", "24", ""}));

TEST(RevisionDetailsTest, TheCalibrationIntervalIsWholeMonths) {
    DetailsDocument details;
    details.set("instrument.1.calibrationInterval", "24");
    EXPECT_EQ(details.instruments().at(0).calibrationInterval, 24);
    for (const char* wrong : {"0", "-12", "1.5", "twelve"}) {
        EXPECT_THROW(details.set("instrument.1.calibrationInterval", wrong), std::invalid_argument)
            << wrong;
    }
}

}  // namespace
}  // namespace kadenza::test

#include <gtest/gtest.h>

#include "EngineFixture.h"
#include "InspectionFiles.h"
#include "archive/ArchiveError.h"
#include "support/FileSections.h"

namespace kadenza::test {
namespace {

using ArchiveTest = EngineTest;

ArchiveProblem problemOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const ArchiveError& error) {
        return error.problem();
    }
    ADD_FAILURE() << "no ArchiveError";
    return ArchiveProblem::failed;
}

TEST_P(ArchiveTest, AddIndexesWhoWhereWhenAndTheOverallVerdict) {
    struct Case {
        const char* what;
        std::vector<std::string> details;
        std::vector<double> loops;
        std::optional<std::string> nextDate;
        const char* overall;
    };
    const std::vector<Case> cases = {
        {"next date given, every value passes",
         {"inspection.site=Villa", "inspection.client=ACME", "inspection.operator=Owner",
          "inspection.inspector=Novák", "inspection.date=2024-03-01",
          "inspection.nextDate=2026-03-01", "bank.1.device=B16", "bank.1.earthing=TN",
          "bank.2.device=B16", "bank.2.earthing=TN"},
         {0.5},
         "2026-03-01",
         "pass"},
        {"next date from a damp environment, a loop fails",
         {"inspection.site=Mill", "inspection.date=2024-03-01", "inspection.environment=damp",
          "bank.1.device=B16", "bank.1.earthing=TN"},
         {3.5},
         "2027-03-01",
         "fail"},
        {"no next date, the device missing",
         {"inspection.site=Barn", "inspection.date=2024-05-02"},
         {0.5},
         std::nullopt,
         "incomplete"},
    };
    const auto archive = open();
    for (const Case& c : cases) {
        archive->add(inspectionFile(c.details, c.loops));
    }
    const std::vector<InspectionSummary> listed = archive->list();
    ASSERT_EQ(listed.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].what);
        EXPECT_EQ(listed[i].nextDate, cases[i].nextDate);
        EXPECT_EQ(listed[i].overall, cases[i].overall);
    }
    EXPECT_EQ(listed[0].site, "Villa");
    EXPECT_EQ(listed[0].client, "ACME");
    EXPECT_EQ(listed[0].operatorName, "Owner");
    EXPECT_EQ(listed[0].inspector, "Novák");
    EXPECT_EQ(listed[0].date, "2024-03-01");
    EXPECT_LT(listed[0].id, listed[1].id);
}

TEST_P(ArchiveTest, TheSameBytesAgainAreNoDuplicateAndComeBackByteForByte) {
    const std::string first = inspectionFile({"inspection.site=Villa"});
    const std::string second =
        inspectionFile({"inspection.site=Villa", "inspection.date=2025-01-02"});
    const auto archive = open();

    const AddResult added = archive->add(first);
    const AddResult other = archive->add(second);
    const AddResult again = archive->add(first);

    EXPECT_TRUE(added.added);
    EXPECT_TRUE(other.added);
    EXPECT_NE(other.id, added.id);
    EXPECT_FALSE(again.added);
    EXPECT_EQ(again.id, added.id);
    EXPECT_EQ(archive->list().size(), 2u);
    EXPECT_EQ(archive->fileBytes(added.id), first);
    EXPECT_EQ(archive->fileBytes(other.id), second);
    EXPECT_EQ(archive->history("Villa", "1").size(), 4u) << "each file's values once";
}

TEST_P(ArchiveTest, RefusesWhatItCannotIndexAndKeepsNothingOfIt) {
    const std::string withSite = inspectionFile({"inspection.site=Villa"});
    const struct {
        const char* what;
        std::string bytes;
        const char* reason;
    } cases[] = {
        {"no details", inspectionFile({}), "it names no site"},
        {"no site", inspectionFile({"inspection.client=ACME"}), "it names no site"},
        {"damaged details", withDetailsText(inspectionFile({}), "{\"version\": 1, \"insp"),
         "the details are not valid JSON"},
        {"not a data file", "plain text", "it is not a Kadenza data file"},
    };
    const auto archive = open();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            archive->add(c.bytes);
            ADD_FAILURE() << "taken";
        } catch (const ArchiveError& error) {
            EXPECT_EQ(error.problem(), ArchiveProblem::refused);
            EXPECT_NE(std::string(error.what()).find(c.reason), std::string::npos) << error.what();
        }
    }
    EXPECT_TRUE(archive->list().empty());
    EXPECT_TRUE(archive->add(withSite).added);
}

TEST_P(ArchiveTest, ListsOneSiteOldestFirst) {
    const auto archive = open();
    const std::int64_t late = archive->add(inspectionFile(judgedCircuit("Villa", "2025-06-01"))).id;
    archive->add(inspectionFile(judgedCircuit("Mill", "2024-01-01")));
    const std::int64_t early =
        archive->add(inspectionFile(judgedCircuit("Villa", "2023-06-01"))).id;

    const auto villa = archive->list("Villa");

    ASSERT_EQ(villa.size(), 2u);
    EXPECT_EQ(villa[0].id, early);
    EXPECT_EQ(villa[1].id, late);
    EXPECT_TRUE(archive->list("Vill").empty());
    EXPECT_EQ(archive->list().size(), 3u);
}

// A site without a next date may be overdue by years: it is due on any day, first.
TEST_P(ArchiveTest, DueGivesTheLatestOfEachSiteWithoutANextDateOrBeforeTheDay) {
    const auto archive = open();
    const auto add = [&](const std::string& site, const std::string& date,
                         const std::string& next) {
        return archive
            ->add(inspectionFile({"inspection.site=" + site, "inspection.date=" + date,
                                  "inspection.nextDate=" + next}))
            .id;
    };
    add("Villa", "2019-01-01", "2020-01-01");  // superseded by the one below
    const std::int64_t villa = add("Villa", "2022-01-01", "2025-01-01");
    const std::int64_t mill = add("Mill", "2021-06-01", "2024-06-01");
    const std::int64_t barn = add("Barn", "2023-01-01", "2026-01-01");
    const std::int64_t shed =
        archive->add(inspectionFile({"inspection.site=Shed", "inspection.date=2020-01-01"})).id;

    const struct {
        const char* before;
        std::vector<std::int64_t> due;
    } cases[] = {
        {"2020-06-01", {shed}},
        {"2024-06-01", {shed}},
        {"2024-06-02", {shed, mill}},
        {"2025-01-02", {shed, mill, villa}},
        {"2030-01-01", {shed, mill, villa, barn}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before);
        std::vector<std::int64_t> ids;
        for (const InspectionSummary& summary : archive->due(c.before)) {
            ids.push_back(summary.id);
        }
        EXPECT_EQ(ids, c.due);
    }
}

TEST_P(ArchiveTest, HistoryOfACircuitIsOldestFirstWithLimitsAndTrends) {
    const auto archive = open();
    // Z_S must stay at most 2.875 Ω: 0.5 → 0.6 uses 4 % of the room left, 0.6 → 1.5 uses 40 %.
    archive->add(inspectionFile(judgedCircuit("Villa", "2024-01-01"), {0.6}));
    const std::int64_t first =
        archive->add(inspectionFile(judgedCircuit("Villa", "2022-01-01"), {0.5})).id;
    archive->add(inspectionFile(judgedCircuit("Villa", "2026-01-01"), {1.5}));
    archive->add(inspectionFile(judgedCircuit("Mill", "2023-01-01"), {2.0}));

    const auto loops = archive->history("Villa", "kitchen", "Z_S");

    ASSERT_EQ(loops.size(), 3u);
    EXPECT_EQ(loops[0].date, "2022-01-01");
    EXPECT_EQ(loops[0].inspection, first);
    EXPECT_EQ(loops[0].unit, "Ω");
    EXPECT_EQ(loops[0].verdict, "pass");
    EXPECT_EQ(loops[0].limitMin, std::nullopt);
    EXPECT_EQ(loops[0].limitMax, 2.875);
    const std::vector<double> values{loops[0].value, loops[1].value, loops[2].value};
    EXPECT_EQ(values, (std::vector<double>{0.5, 0.6, 1.5}));
    const std::vector<bool> trends{loops[0].trend, loops[1].trend, loops[2].trend};
    EXPECT_EQ(trends, (std::vector<bool>{false, false, true}));

    const auto circuit = archive->history("Villa", "kitchen");
    ASSERT_EQ(circuit.size(), 6u);
    EXPECT_EQ(circuit[1].symbol, "R_ISO");
    EXPECT_EQ(circuit[1].limitMin, 1e6);
    EXPECT_EQ(archive->history("Villa", "2", "Z_S").size(), 3u) << "a bank without a label";
    EXPECT_TRUE(archive->history("Villa", "1").empty()) << "bank 1 is kitchen";
}

TEST_P(ArchiveTest, InstallationsRevisionsAndCircuitsOfASite) {
    const auto archive = open();
    const auto add = [&](std::vector<std::string> details, std::vector<double> loops) {
        return archive->add(inspectionFile(details, loops)).id;
    };
    std::vector<std::string> old = judgedCircuit("Villa", "2022-01-01");
    old.push_back("inspection.nextDate=2025-01-01");
    const std::int64_t first = add(old, {0.5, 3.1});
    std::vector<std::string> latest = judgedCircuit("Villa", "2024-01-01");
    latest.push_back("inspection.nextDate=2027-01-01");
    const std::int64_t second = add(latest, {0.6});
    const std::int64_t mill = add(
        {"inspection.site=Mill", "inspection.date=2023-01-01", "inspection.nextDate=2026-01-01"},
        {0.5});
    const std::int64_t shed = add({"inspection.site=Shed", "inspection.date=2020-01-01"}, {0.5});

    std::vector<std::pair<std::int64_t, std::string>> installations;
    for (const InspectionSummary& summary : archive->installations()) {
        installations.emplace_back(summary.id, summary.site);
    }
    EXPECT_EQ(installations, (std::vector<std::pair<std::int64_t, std::string>>{
                                 {shed, "Shed"}, {mill, "Mill"}, {second, "Villa"}}))
        << "a site with no next date first, then the soonest due";

    const std::vector<RevisionSummary> revisions = archive->revisions("Villa");
    ASSERT_EQ(revisions.size(), 2u);
    EXPECT_EQ(revisions[0].inspection.id, second) << "newest first";
    EXPECT_EQ(revisions[1].inspection.id, first);
    // Bank 1's loops and insulation are judged; bank 2 has no breaker to judge its loop by.
    EXPECT_EQ(revisions[1].passed, 2);
    EXPECT_EQ(revisions[1].failed, 1);
    EXPECT_EQ(revisions[1].unjudged, 1);
    EXPECT_EQ(revisions[1].inspection.overall, "fail");

    const std::vector<CircuitQuantities> circuits = archive->circuits("Villa");
    ASSERT_EQ(circuits.size(), 2u);
    EXPECT_EQ(circuits[0].circuit, "kitchen");
    EXPECT_EQ(circuits[0].symbols, (std::vector<std::string>{"R_ISO", "Z_S"}));
    EXPECT_EQ(circuits[1].circuit, "2");
    EXPECT_EQ(circuits[1].symbols, std::vector<std::string>{"Z_S"});
    EXPECT_TRUE(archive->circuits("Nowhere").empty());
}

TEST_P(ArchiveTest, AnIdItDoesNotHoldIsNotFound) {
    const auto archive = open();
    EXPECT_EQ(problemOf([&] { archive->fileBytes(42); }), ArchiveProblem::notFound);
}

INSTANTIATE_TEST_SUITE_P(Engines, ArchiveTest, bothEngines, engineName);

}  // namespace
}  // namespace kadenza::test

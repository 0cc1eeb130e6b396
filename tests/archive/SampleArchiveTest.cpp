#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "archive/Archive.h"
#include "support/SampleArchive.h"
#include "support/TempDir.h"

namespace kadenza::test {
namespace {

const std::string house = "Javorová 12, Brno";
const std::string school = "Školní 5, Olomouc";

// The judged values of a history by their place in each inspection: the n-th values in date
// order.
std::map<int, std::vector<double>> judgedByPlace(const std::vector<HistoryPoint>& points) {
    std::map<int, std::vector<double>> values;
    std::int64_t inspection = 0;
    int place = 0;
    for (const HistoryPoint& point : points) {
        if (point.verdict == "none") {
            continue;
        }
        place = point.inspection == inspection ? place + 1 : 0;
        inspection = point.inspection;
        values[place].push_back(point.value);
    }
    return values;
}

class SampleArchiveTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const std::string& file : sampleArchiveFiles()) {
            ASSERT_TRUE(archive_->add(file).added);
        }
    }

    TempDir dir_;
    std::unique_ptr<Archive> archive_ = Archive::open(dir_.path("archive.sqlite"));
};

TEST_F(SampleArchiveTest, TwoSitesAreRevisedOnceAYearAndOnlyTheHousesLastRevisionFails) {
    const struct {
        const std::string& site;
        const char* client;
        std::vector<std::string> dates;
        std::vector<std::string> overall;
    } cases[] = {
        {house,
         "Bytové družstvo Javorová",
         {"2022-03-14", "2023-03-13", "2024-03-18", "2025-03-17", "2026-03-16"},
         {"pass", "pass", "pass", "pass", "fail"}},
        {school,
         "ZŠ Školní",
         {"2021-11-22", "2022-11-21", "2023-11-20", "2024-11-25", "2025-11-24"},
         {"pass", "pass", "pass", "pass", "pass"}},
    };
    EXPECT_EQ(archive_->list().size(), 10u);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.site);
        std::vector<std::string> dates;
        std::vector<std::string> overall;
        for (const InspectionSummary& summary : archive_->list(c.site)) {
            EXPECT_EQ(summary.client, c.client);
            dates.push_back(summary.date);
            overall.push_back(summary.overall);
        }
        EXPECT_EQ(dates, c.dates);
        EXPECT_EQ(overall, c.overall);
    }
}

TEST_F(SampleArchiveTest, TheLiftsLoopImpedanceFailsInTheLastYearOnly) {
    const auto points = archive_->history(house, "Výtah", "Z_S");
    ASSERT_EQ(points.size(), 10u) << "two loops a year";
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        EXPECT_EQ(points[i].verdict, "pass") << points[i].date << " " << points[i].value;
    }
    EXPECT_EQ(points.back().date, "2026-03-16");
    EXPECT_EQ(points.back().verdict, "fail");
    EXPECT_GT(points.back().value, points.back().limitMax.value_or(0));
}

// Each circuit's loop impedances rise and its insulation resistances fall, year by year, so
// that a plot of any of them shows the way.
TEST_F(SampleArchiveTest, EveryCircuitAgesYearByYear) {
    const struct {
        const std::string& site;
        const char* circuit;
    } circuits[] = {{house, "Výtah"},    {house, "Prádelna"}, {house, "Chodba"},
                    {house, "Koupelna"}, {school, "Kuchyň"},  {school, "Učebna"},
                    {school, "Chodba"},  {school, "Umývárna"}};
    for (const auto& c : circuits) {
        SCOPED_TRACE(c.site + " " + c.circuit);
        const auto loops = judgedByPlace(archive_->history(c.site, c.circuit, "Z_S"));
        ASSERT_FALSE(loops.empty());
        for (const auto& [place, values] : loops) {
            ASSERT_EQ(values.size(), 5u) << place;
            EXPECT_TRUE(std::is_sorted(values.begin(), values.end())) << place;
            EXPECT_LT(values.front(), values.back()) << place;
        }
    }
    for (const std::string& site : {house, school}) {
        SCOPED_TRACE(site);
        const auto insulation =
            archive_->history(site, site == house ? "Výtah" : "Kuchyň", "R_ISO");
        std::vector<double> measured;
        for (const HistoryPoint& point : insulation) {
            if (!point.over) {
                measured.push_back(point.value);
            }
        }
        ASSERT_EQ(measured.size(), 5u);
        EXPECT_TRUE(std::is_sorted(measured.rbegin(), measured.rend()));
        EXPECT_GT(measured.front(), measured.back());
    }
}

TEST_F(SampleArchiveTest, TheSchoolIsOverdueAndTheHouseDueSoon) {
    const auto namesOf = [](const std::vector<InspectionSummary>& summaries) {
        std::vector<std::string> names;
        for (const InspectionSummary& summary : summaries) {
            names.push_back(summary.site + " " + summary.nextDate.value_or("none"));
        }
        return names;
    };
    EXPECT_EQ(namesOf(archive_->due("2026-12-20")),
              std::vector<std::string>{school + " 2026-11-24"});
    EXPECT_EQ(namesOf(archive_->due("2027-01-19")),
              (std::vector<std::string>{school + " 2026-11-24", house + " 2027-01-11"}));
}

}  // namespace
}  // namespace kadenza::test

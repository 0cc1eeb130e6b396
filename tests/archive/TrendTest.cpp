#include <gtest/gtest.h>

#include "archive/Trend.h"

namespace kadenza::test {
namespace {

HistoryPoint point(std::int64_t inspection, const std::string& symbol, double value,
                   std::optional<double> min, std::optional<double> max) {
    HistoryPoint point;
    point.inspection = inspection;
    point.symbol = symbol;
    point.value = value;
    point.limitMin = min;
    point.limitMax = max;
    return point;
}

std::vector<bool> trendsOf(std::vector<HistoryPoint> points) {
    markTrends(points);
    std::vector<bool> trends;
    for (const HistoryPoint& point : points) {
        trends.push_back(point.trend);
    }
    return trends;
}

TEST(TrendTest, AValueIsATrendWhenItUsesMoreThanAQuarterOfTheRoomLeft) {
    const std::optional<double> none;
    const struct {
        const char* what;
        std::vector<HistoryPoint> points;
        std::vector<bool> trends;
    } cases[] = {
        {"a maximum: 2 of 4 Ω left become 1.4",
         {point(1, "Z_S", 2.0, none, 4.0), point(2, "Z_S", 2.6, none, 4.0)},
         {false, true}},
        {"a maximum: exactly a quarter is no trend",
         {point(1, "Z_S", 2.0, none, 4.0), point(2, "Z_S", 2.5, none, 4.0)},
         {false, false}},
        {"a maximum: moving away",
         {point(1, "Z_S", 2.0, none, 4.0), point(2, "Z_S", 1.0, none, 4.0)},
         {false, false}},
        {"a minimum: 500 MΩ falls to 200",
         {point(1, "R_ISO", 500e6, 1e6, none), point(2, "R_ISO", 200e6, 1e6, none)},
         {false, true}},
        {"a range: toward its nearer end",
         {point(1, "t_A", 0.1, 0.0, 0.3), point(2, "t_A", 0.04, 0.0, 0.3)},
         {false, true}},
        {"already outside before",
         {point(1, "Z_S", 5.0, none, 4.0), point(2, "Z_S", 6.0, none, 4.0)},
         {false, false}},
        {"no limit",
         {point(1, "U", 230, none, none), point(2, "U", 100, none, none)},
         {false, false}},
        {"the n-th value against the n-th",
         {point(1, "Z_S", 0.4, none, 4.0), point(1, "Z_S", 3.0, none, 4.0),
          point(2, "Z_S", 0.5, none, 4.0), point(2, "Z_S", 3.5, none, 4.0)},
         {false, false, false, true}},
        {"against the latest inspection that had the symbol",
         {point(1, "Z_S", 1.0, none, 4.0), point(2, "R_ISO", 5e6, 1e6, none),
          point(3, "Z_S", 2.0, none, 4.0)},
         {false, false, true}},
        {"against the later value's limit: a smaller device",
         {point(1, "Z_S", 1.0, none, 4.0), point(2, "Z_S", 1.1, none, 1.2)},
         {false, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(trendsOf(c.points), c.trends);
    }
}

}  // namespace
}  // namespace kadenza::test

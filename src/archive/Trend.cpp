#include "archive/Trend.h"

#include <algorithm>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace kadenza {

namespace {

// How far the value lies inside the limit given by the point: to its nearer end; negative
// outside. None without a limit.
std::optional<double> distanceToLimit(double value, const HistoryPoint& limit) {
    if (!limit.limitMin && !limit.limitMax) {
        return std::nullopt;
    }
    double distance = std::numeric_limits<double>::infinity();
    if (limit.limitMin) {
        distance = std::min(distance, value - *limit.limitMin);
    }
    if (limit.limitMax) {
        distance = std::min(distance, *limit.limitMax - value);
    }
    return distance;
}

bool movedTowardLimit(const HistoryPoint& before, const HistoryPoint& now) {
    const auto was = distanceToLimit(before.value, now);
    const auto is = distanceToLimit(now.value, now);
    return was && *was > 0 && *was - *is > *was / 4;
}

}  // namespace

void markTrends(std::vector<HistoryPoint>& points) {
    // A value's key: its symbol and how many of that symbol came before it in its inspection.
    using Key = std::pair<std::string, int>;
    std::map<Key, const HistoryPoint*> previous;
    std::map<Key, const HistoryPoint*> current;
    std::map<std::string, int> seen;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i > 0 && points[i].inspection != points[i - 1].inspection) {
            for (const auto& [key, point] : current) {
                previous[key] = point;
            }
            current.clear();
            seen.clear();
        }
        HistoryPoint& point = points[i];
        const Key key{point.symbol, seen[point.symbol]++};
        const auto before = previous.find(key);
        point.trend = before != previous.end() && movedTowardLimit(*before->second, point);
        current[key] = &point;
    }
}

}  // namespace kadenza

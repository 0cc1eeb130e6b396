#include "inspection/Limit.h"

#include <charconv>

#include "model/InstrumentItem.h"

namespace kadenza {

namespace {

constexpr double tolerance = 1e-9;

// Six significant digits, a decimal point and no trailing zeros: 0.25, 2.88, 1667.
std::string numberText(double value) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    return std::string(buffer, result.ptr);
}

std::string shown(double value, DisplayUnit unit) {
    return numberText(value / unit.scale);
}

bool reachesMinimum(double value, double min) {
    return value >= min * (1 - tolerance);
}

bool withinMaximum(double value, double max) {
    return value <= max * (1 + tolerance);
}

}  // namespace

Limit atLeast(double min, DisplayUnit unit) {
    return {min, std::nullopt, unit};
}

Limit atMost(double max, DisplayUnit unit) {
    return {std::nullopt, max, unit};
}

Limit between(double min, double max, DisplayUnit unit) {
    return {min, max, unit};
}

std::string limitText(const Limit& limit) {
    const std::string unit = std::string(" ") + limit.unit.symbol;
    if (limit.min && limit.max) {
        return shown(*limit.min, limit.unit) + " … " + shown(*limit.max, limit.unit) + unit;
    }
    if (limit.min) {
        return "≥ " + shown(*limit.min, limit.unit) + unit;
    }
    return "≤ " + shown(limit.max.value_or(0), limit.unit) + unit;
}

bool meetsLimit(const InstrumentItem& item, const Limit& limit) {
    const double value = item.value();
    const bool above = item.isOver() && value >= 0;
    if (limit.min && !reachesMinimum(value, *limit.min)) {
        return false;
    }
    if (limit.max && (above || !withinMaximum(value, *limit.max))) {
        return false;
    }
    return true;
}

}  // namespace kadenza

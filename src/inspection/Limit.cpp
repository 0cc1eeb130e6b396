#include "inspection/Limit.h"

#include <algorithm>
#include <cmath>

#include "model/InstrumentItem.h"

namespace kadenza {

namespace {

constexpr double tolerance = 1e-9;

// Two decimals, or as many as three significant digits need below 1 (0.359, 0.005).
int decimalsFor(double value) {
    if (value <= 0 || value >= 1) {
        return 2;
    }
    return std::max(2, 2 - static_cast<int>(std::floor(std::log10(value))));
}

// The value in hundredths (or finer units) rounded up or down, unless it is one of them but
// for the binary fraction's error (0.3 s in milliseconds is 299.99999999999994).
long long roundedUnits(double scaled, bool up) {
    const double nearest = std::round(scaled);
    if (std::abs(scaled - nearest) <= tolerance * std::max(1.0, std::abs(scaled))) {
        return std::llround(nearest);
    }
    return std::llround(up ? std::ceil(scaled) : std::floor(scaled));
}

// The value with `decimals` decimals and a decimal point, trailing zeros dropped: 2.87, 300.
std::string decimalText(long long units, int decimals) {
    std::string digits = std::to_string(units);
    if (digits.size() <= static_cast<std::size_t>(decimals)) {
        digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
    }
    std::string text = digits.substr(0, digits.size() - static_cast<std::size_t>(decimals)) + "." +
                       digits.substr(digits.size() - static_cast<std::size_t>(decimals));
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') {
        text.pop_back();
    }
    return text;
}

std::string shown(double value, DisplayUnit unit, bool up) {
    const double inUnit = value / unit.scale;
    const int decimals = decimalsFor(inUnit);
    return decimalText(roundedUnits(inUnit * std::pow(10.0, decimals), up), decimals);
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
        return shown(*limit.min, limit.unit, true) + " … " + shown(*limit.max, limit.unit, false) +
               unit;
    }
    if (limit.min) {
        return "≥ " + shown(*limit.min, limit.unit, true) + unit;
    }
    return "≤ " + shown(limit.max.value_or(0), limit.unit, false) + unit;
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

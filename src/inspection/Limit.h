#pragma once

#include <optional>
#include <string>

namespace kadenza {

class InstrumentItem;

// The unit a limit is shown in: how many base units (ohms, seconds, amperes, volts) one of it
// holds, and its symbol.
struct DisplayUnit {
    double scale;
    const char* symbol;
};

constexpr DisplayUnit megohms{1e6, "MΩ"};
constexpr DisplayUnit ohms{1, "Ω"};
constexpr DisplayUnit milliseconds{1e-3, "ms"};
constexpr DisplayUnit milliamperes{1e-3, "mA"};
constexpr DisplayUnit volts{1, "V"};

// The values a reading may take, in base units, both ends included; an absent end is open.
struct Limit {
    std::optional<double> min;
    std::optional<double> max;
    DisplayUnit unit;
};

Limit atLeast(double min, DisplayUnit unit);
Limit atMost(double max, DisplayUnit unit);
Limit between(double min, double max, DisplayUnit unit);

// "≥ 1 MΩ", "≤ 300 ms", "15 … 30 mA".
std::string limitText(const Limit& limit);

// Whether the reading lies within the limit. The ends allow for the rounding of readings
// computed from counts (0.30000000000000004 meets ≤ 0.3). A reading over range is a bound:
// ">" (a value of 0 or more) means more than its value, so it meets a minimum it reaches but
// no maximum; "<" (a negative value) means less, so it meets a maximum but no minimum, as its
// value alone already shows against limits above zero.
bool meetsLimit(const InstrumentItem& item, const Limit& limit);

}  // namespace kadenza

#pragma once

#include <optional>
#include <string>

namespace kadenza {

class InstrumentItem;

// The unit a limit is shown in: how many base units (ohms, seconds, amperes, volts) one of it
// holds, its symbol and the base unit's.
struct DisplayUnit {
    double scale;
    const char* symbol;
    const char* baseSymbol;
};

constexpr DisplayUnit megohms{1e6, "MΩ", "Ω"};
constexpr DisplayUnit ohms{1, "Ω", "Ω"};
constexpr DisplayUnit milliseconds{1e-3, "ms", "s"};
constexpr DisplayUnit milliamperes{1e-3, "mA", "A"};
constexpr DisplayUnit volts{1, "V", "V"};

// The values a reading may take, in base units, both ends included; an absent end is open.
// The ends are exact (230 V / 80 A is 2.875 Ω), not the rounded figures of published tables.
struct Limit {
    std::optional<double> min;
    std::optional<double> max;
    DisplayUnit unit;
};

Limit atLeast(double min, DisplayUnit unit);
Limit atMost(double max, DisplayUnit unit);
Limit between(double min, double max, DisplayUnit unit);

// "≥ 1 MΩ", "≤ 300 ms", "15 … 30 mA", with a decimal point. An end is shown to two decimals,
// or to three significant digits below 1, rounded toward the safe side where it is not exact:
// a maximum down (2.875 Ω is "≤ 2.87 Ω"), a minimum up, so that a reading that meets the
// figure shown meets the limit too.
std::string limitText(const Limit& limit);

// Whether the reading lies within the limit. The ends allow for the rounding of readings
// computed from counts (0.30000000000000004 meets ≤ 0.3). A reading over range is a bound:
// ">" (a value of 0 or more) means more than its value, so it meets a minimum it reaches but
// no maximum; "<" (a negative value) means less, so it meets a maximum but no minimum, as its
// value alone already shows against limits above zero.
bool meetsLimit(const InstrumentItem& item, const Limit& limit);

}  // namespace kadenza

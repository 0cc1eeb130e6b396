#include "inspection/Rule.h"

#include <cmath>

namespace kadenza {

Verdict judged(const InstrumentItem& item, const Limit& limit, const std::string& rule) {
    const VerdictKind kind = meetsLimit(item, limit) ? VerdictKind::pass : VerdictKind::fail;
    return {kind, limitText(limit), rule, {}};
}

Verdict lacking(const std::string& rule, const std::string& detail) {
    return {VerdictKind::none, {}, rule, detail};
}

bool isPositive(const std::optional<double>& number) {
    return number && std::isfinite(*number) && *number > 0;
}

}  // namespace kadenza

#include "inspection/Rule.h"

#include <algorithm>
#include <cmath>

#include "inspection/ItemNote.h"
#include "model/InstrumentItem.h"

namespace kadenza {

Verdict judged(const InstrumentItem& item, const Limit& limit, const std::string& rule) {
    const VerdictKind kind = meetsLimit(item, limit) ? VerdictKind::pass : VerdictKind::fail;
    return {kind, limit, rule, {}, {}};
}

Verdict lacking(const std::string& rule, const std::string& detail) {
    return {VerdictKind::none, std::nullopt, rule, detail, {}};
}

namespace {

// The ends every candidate's limit allows, or the ends of the widest of them; an end any of
// them leaves open stays open in the widest.
Limit sharedLimit(const std::vector<Verdict>& candidates, bool widest) {
    Limit shared = *candidates.front().limit;
    for (const Verdict& candidate : candidates) {
        const Limit& limit = *candidate.limit;
        if (widest) {
            shared.min = shared.min && limit.min ? std::min(*shared.min, *limit.min)
                                                 : std::optional<double>();
            shared.max = shared.max && limit.max ? std::max(*shared.max, *limit.max)
                                                 : std::optional<double>();
        } else {
            shared.min = std::max(shared.min, limit.min);
            shared.max = shared.max && limit.max ? std::min(*shared.max, *limit.max)
                                                 : (shared.max ? shared.max : limit.max);
        }
    }
    return shared;
}

}  // namespace

Verdict agreed(const std::vector<Verdict>& candidates, const std::string& rule,
               const std::string& detail) {
    const VerdictKind kind = candidates.front().kind;
    for (const Verdict& candidate : candidates) {
        if (candidate.kind != kind || !candidate.limit) {
            return lacking(rule, detail);
        }
    }
    return {kind, sharedLimit(candidates, kind == VerdictKind::fail), rule, {}, {}};
}

bool isOpenConductor(const InstrumentItem& item) {
    return item.isOver() && item.value() >= 0;
}

std::string conductorRemark(const InstrumentItem& item) {
    if (isOpenConductor(item)) {
        return "open-conductor";
    }
    return hasLowMeasuringCurrent(item.noteOrEmpty()) ? "low-measuring-current" : "";
}

bool isPositive(const std::optional<double>& number) {
    return number && std::isfinite(*number) && *number > 0;
}

}  // namespace kadenza

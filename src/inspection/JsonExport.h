#pragma once

#include <ostream>

#include "inspection/DetailsDocument.h"
#include "inspection/Evaluation.h"
#include "model/InstrumentData.h"

namespace kadenza {

// The verdicts for scripts, in no language: {"profile": ..., "items": [{"bank", "index",
// "address", "code", "value", "over", "note", "verdict", "limit", "rule", "missing"}],
// "summary": {"pass", "fail", "none"}}. `index` is the item's place in its bank's list,
// `address` the number the tree shows after a primary item or null, `missing` null unless a
// detail was missing.
void writeEvaluationJson(std::ostream& out, const Evaluation& evaluation);

// The container, its details and the verdicts for scripts: {"version": 1, "profile",
// "details" (the details' document or null), "summary", "banks": [{"number", "kind" ("bank"
// or "no."), "summary", "items": [{"index", "address", "code", "symbol", "unit", "value",
// "text", "over", "primary", "note", "verdict", "limit", "rule", "missing"}]}]}; symbols,
// units and texts with "_" before a subscript and "^" before a superscript.
void writeContainerJson(std::ostream& out, const InstrumentData& data,
                        const DetailsDocument& details);

}  // namespace kadenza

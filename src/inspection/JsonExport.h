#pragma once

#include <ostream>

#include "inspection/DetailsDocument.h"
#include "inspection/Evaluation.h"
#include "model/InstrumentData.h"

namespace kadenza {

// Every item's verdict entry holds: "index" (its place in its bank's list), "address" (the
// number the tree shows after a primary item, or null), "code", "symbol", "unit", "value" (in
// the base unit), "over", "note", "verdict" ("pass", "fail" or "none"), "limit" (as a reader
// sees it, rounded toward the safe side), "bounds" (null, or {"low", "high", "unit"}: the exact
// ends in the base unit of "value", null for an open end), "rule", "missing" (the detail a
// rule lacked, or null) and "remark" (null, or "open-conductor", "reduced-test-voltage" …).
// Symbols and units have "_" before a subscript and "^" before a superscript.
//
// A summary holds the counts "pass", "fail", "missing" (items left unjudged for a missing
// detail), "none" (items no rule judges), "missingDetails" and "overall" ("pass", "fail",
// "incomplete" or "none"). Numbering rows are listed but not counted.

// The verdicts for scripts, in no language: {"banks": [{"number", "label", "summary"}],
// "items": [entry + "bank"], "overall", "profile", "summary"}.
void writeEvaluationJson(std::ostream& out, const Evaluation& evaluation);

// The container, its details and the verdicts for scripts: {"version": 1, "profile",
// "details" (the details' document or null), "summary", "banks": [{"number", "kind" ("bank"
// or "no."), "summary", "items": [entry + "text", "primary"]}]}.
void writeContainerJson(std::ostream& out, const InstrumentData& data,
                        const DetailsDocument& details);

}  // namespace kadenza

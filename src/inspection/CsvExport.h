#pragma once

#include <string>

#include "inspection/DetailsDocument.h"
#include "inspection/Evaluation.h"
#include "model/InstrumentData.h"

namespace kadenza {

// Every item with its verdict as CSV for spreadsheets (RFC 4180): UTF-8 with a byte-order
// mark, CR LF, a header row in the current language, then one row per item: bank, address,
// symbol, value in the base unit, unit, value as shown, note, primary, over range, limit,
// verdict ("not judged" apart from "missing detail"), the bank's label, the rule, the missing
// detail and the remark. Comma-separated with a decimal point, or semicolon-separated with a
// decimal comma where the locale writes one. A text a spreadsheet would run as a formula is
// led by an apostrophe; numbers stay numbers. Bytes of a note that are not UTF-8 are written
// as U+FFFD.
std::string csvText(const InstrumentData& data, const DetailsDocument& details);
// The same for items already judged.
std::string csvText(const Evaluation& evaluation);

}  // namespace kadenza

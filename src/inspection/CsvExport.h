#pragma once

#include <string>

#include "inspection/DetailsDocument.h"
#include "model/InstrumentData.h"

namespace kadenza {

// Every item with its verdict as CSV for spreadsheets (RFC 4180): UTF-8 with a byte-order
// mark, CR LF, a header row in the current language, then one row per item: bank, address,
// symbol, value in the base unit, unit, value as shown, note, primary, over range, limit,
// verdict. Comma-separated with a decimal point, or semicolon-separated with a decimal comma
// where the locale writes one. The items are judged by `profile`, else by the details.
std::string csvText(const InstrumentData& data, const DetailsDocument& details,
                    const std::string& profile = {});

// The shortest text that reads back to the same double ("0.1", "1e-07", "230").
std::string shortestNumberText(double value);

}  // namespace kadenza

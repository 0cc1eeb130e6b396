#pragma once

#include <optional>
#include <string>

#include "inspection/Verdict.h"

namespace kadenza {

class InstrumentBank;

// The words the report is written in, in the current language, as plain UTF-8 (not HTML).

// The verdict's word with a cross before a failure, so that it stands out on paper in black
// and white as well.
std::string verdictText(VerdictKind kind);

// The display name of a profile; an unknown profile as it is named.
std::string profileName(const std::string& profile);

// What a rule lacked to judge an item, by the label the details dialog gives the detail:
// "missing: Protective device".
std::string missingText(const std::string& detail);

// "Bank 3", or "No. 3" for an instrument's record.
std::string bankTitle(const InstrumentBank& bank);

// A number with the locale's decimal separator, and a unit after a blank; empty for none.
std::string quantityText(const std::optional<double>& number, const std::string& unit);

// A text the rules wrote with a decimal point ("≤ 2.88 Ω", "2/3") with the locale's separator.
std::string localDecimals(std::string text);

// "yes" or "no"; empty for none.
std::string yesNo(const std::optional<bool>& answer);

}  // namespace kadenza

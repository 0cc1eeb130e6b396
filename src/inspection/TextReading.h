#pragma once

#include <optional>
#include <string_view>

namespace kadenza {

// Reading the short texts that instruments write into notes and that people type into the
// details: "30mA AC +", "B16", " tt ".

// The text without the blanks (spaces and tabs) at either end.
std::string_view trimmed(std::string_view text);

// Equal but for the case of ASCII letters: "tt" is "TT".
bool sameIgnoringCase(std::string_view a, std::string_view b);

// The decimal number at the start of `text` (digits, then optionally a point and digits),
// taken off its front; none, leaving the text alone, when the text does not start with a digit.
std::optional<double> takeNumber(std::string_view& text);

// A decimal number that makes up the whole text but for blanks at either end, as people type
// it: digits, then optionally a decimal point or comma and more digits ("16", "0.8", "120,5").
// No sign, no exponent, no thousands separators; none for anything else.
std::optional<double> readDecimal(std::string_view text);

// The word after any blanks at the start of `text`, taken off its front with those blanks;
// empty at the end of the text.
std::string_view takeWord(std::string_view& text);

}  // namespace kadenza

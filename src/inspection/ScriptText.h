#pragma once

#include <string>

namespace kadenza {

// A row text without its style codes, for files read by other programs: a subscript follows
// "_" and a superscript "^" ("R_ISO", "min.^-1"), control bytes become blanks.
std::string plainScriptText(const std::string& row);

}  // namespace kadenza

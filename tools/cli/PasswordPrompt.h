#pragma once

#include <optional>
#include <string>

namespace kadenza::cli {

// Asks for a password on the terminal, without echoing what is typed; none when the program
// has no terminal to ask on.
std::optional<std::string> askPassword(const std::string& prompt);

}  // namespace kadenza::cli

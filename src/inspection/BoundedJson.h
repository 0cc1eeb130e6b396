#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace kadenza {

// The JSON document a text holds, measured before it is built: throws std::invalid_argument
// naming the bound when it nests deeper than 64 levels or would take more than eight times its
// text in memory (beyond its first MiB), and nlohmann::json::parse_error when it is no JSON.
// Details as people give them are far within both; a text past them is no details, and
// building it would cost stack or memory out of all proportion to its size.
nlohmann::json boundedParse(const std::string& text);

}  // namespace kadenza

#pragma once

#include <string>

namespace kadenza {

// UTF-8 text as the archive's search compares it: case folded, accents dropped ("Javorová 12,
// Brno" and "javorova 12, brno" give the same text).
std::string searchText(const std::string& text);

}  // namespace kadenza

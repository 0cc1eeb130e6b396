#pragma once

#include <string>
#include <vector>

namespace kadenza {

// A text of the tables with its marks "%1", "%2" … each replaced by the value of its number:
// "defect %1 endangers safety" with {"2"}.
std::string filledText(std::string text, const std::vector<std::string>& values);

}  // namespace kadenza

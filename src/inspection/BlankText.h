#pragma once

#include <string>

namespace kadenza {

// Whether a text shows nothing: empty, or only white space (spaces, tabs, line breaks, the
// no-break and other spaces of Unicode, zero-width spaces). A detail of such a text is one
// nobody gave.
bool isBlank(const std::string& text);

}  // namespace kadenza

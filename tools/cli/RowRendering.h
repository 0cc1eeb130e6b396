#pragma once

#include <string>

namespace kadenza::cli {

// A row text with its style codes made readable for a terminal: a subscript as "_{...}", a
// superscript as "^{...}". Like the tree, the row ends at a CR; other control bytes but TAB
// become blanks.
std::string readableRow(const std::string& row);

}  // namespace kadenza::cli

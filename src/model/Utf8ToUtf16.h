#pragma once

#include <cstddef>
#include <string>

namespace kadenza {

// Display text for the wide-character drawing of the tree and the printer: at most `limit`
// UTF-16 units (callers draw 100), style codes passed through.
std::u16string utf8ToUtf16(const std::string& text, std::size_t limit);

}  // namespace kadenza

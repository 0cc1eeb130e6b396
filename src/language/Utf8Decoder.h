#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kadenza {

// Decodes UTF-8 of one, two and three bytes into UTF-16, at most `limit` units.
// Continuation bytes are taken as they come, unchecked. Decoding ends at a 0 byte, at the
// limit, at the end of the text, inside a sequence cut short by the end, or at a byte that
// starts none of the three forms (a stray continuation byte or a four-byte lead); what was
// decoded before stays.
std::u16string decodeUtf8Prefix(std::string_view text, std::size_t limit);

}  // namespace kadenza

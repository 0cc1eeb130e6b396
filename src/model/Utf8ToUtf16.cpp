#include "model/Utf8ToUtf16.h"

#include "language/Utf8Decoder.h"

namespace kadenza {

std::u16string utf8ToUtf16(const std::string& text, std::size_t limit) {
    return decodeUtf8Prefix(text, limit);
}

}  // namespace kadenza

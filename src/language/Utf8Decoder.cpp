#include "language/Utf8Decoder.h"

namespace kadenza {

namespace {

// Length of the sequence that `lead` starts, or 0 when it starts none of the accepted forms.
std::size_t sequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        return 2;
    }
    if ((lead & 0xF0) == 0xE0) {
        return 3;
    }
    return 0;
}

}  // namespace

std::u16string decodeUtf8Prefix(std::string_view text, std::size_t limit) {
    std::u16string result;
    std::size_t pos = 0;
    while (result.size() < limit && pos < text.size()) {
        const auto lead = static_cast<unsigned char>(text[pos]);
        const std::size_t length = sequenceLength(lead);
        if (lead == 0 || length == 0 || pos + length > text.size()) {
            break;
        }
        char16_t unit = lead;
        if (length == 2) {
            unit = static_cast<char16_t>(((lead & 0x1F) << 6) | (text[pos + 1] & 0x3F));
        } else if (length == 3) {
            unit = static_cast<char16_t>(((lead & 0x0F) << 12) | ((text[pos + 1] & 0x3F) << 6) |
                                         (text[pos + 2] & 0x3F));
        }
        result.push_back(unit);
        pos += length;
    }
    return result;
}

}  // namespace kadenza

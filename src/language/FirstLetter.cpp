#include "language/FirstLetter.h"

namespace kadenza {

namespace {

// The small letter of a capital of the two-byte range of UTF-8 up to U+017F; the code itself
// for any other.
char32_t lowerTwoByteLetter(char32_t code) {
    if (code >= 0xC0 && code <= 0xDE && code != 0xD7) {
        return code + 0x20;
    }
    const bool evenCapitals = (code >= 0x100 && code <= 0x137) || (code >= 0x14A && code <= 0x177);
    const bool oddCapitals = (code >= 0x139 && code <= 0x148) || (code >= 0x179 && code <= 0x17E);
    if ((evenCapitals && code % 2 == 0) || (oddCapitals && code % 2 == 1)) {
        return code + 1;
    }
    return code;
}

}  // namespace

std::string withLowerFirstLetter(std::string text) {
    if (text.empty()) {
        return text;
    }
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead >= 'A' && lead <= 'Z') {
        text[0] = static_cast<char>(lead - 'A' + 'a');
    } else if ((lead & 0xE0) == 0xC0 && text.size() >= 2) {
        const char32_t code = ((lead & 0x1Fu) << 6) | (static_cast<unsigned char>(text[1]) & 0x3Fu);
        const char32_t lower = lowerTwoByteLetter(code);
        text[0] = static_cast<char>(0xC0 | (lower >> 6));
        text[1] = static_cast<char>(0x80 | (lower & 0x3F));
    }
    return text;
}

}  // namespace kadenza

#include "model/Utf8Characters.h"

namespace kadenza {

namespace {

// The bits a lead byte gives and the bytes its character takes; none for a byte that leads
// no character (a continuation byte, C0, C1, F5 and above).
struct Lead {
    char32_t bits;
    std::size_t length;
};

std::optional<Lead> leadOf(unsigned char byte) {
    if (byte < 0x80) {
        return Lead{byte, 1};
    }
    if (byte >= 0xC2 && byte <= 0xDF) {
        return Lead{static_cast<char32_t>(byte & 0x1F), 2};
    }
    if (byte >= 0xE0 && byte <= 0xEF) {
        return Lead{static_cast<char32_t>(byte & 0x0F), 3};
    }
    if (byte >= 0xF0 && byte <= 0xF4) {
        return Lead{static_cast<char32_t>(byte & 0x07), 4};
    }
    return std::nullopt;
}

}  // namespace

std::optional<Utf8Character> utf8CharacterAt(const std::string& text, std::size_t at) {
    if (at >= text.size()) {
        return std::nullopt;
    }
    const std::optional<Lead> lead = leadOf(static_cast<unsigned char>(text[at]));
    if (!lead || at + lead->length > text.size()) {
        return std::nullopt;
    }
    char32_t code = lead->bits;
    for (std::size_t i = 1; i < lead->length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        code = (code << 6) | (next & 0x3F);
    }
    constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (code < smallest[lead->length] || code > 0x10FFFF || surrogate) {
        return std::nullopt;
    }
    return Utf8Character{code, lead->length};
}

bool isUtf8(const std::string& text) {
    for (std::size_t at = 0; at < text.size();) {
        const auto character = utf8CharacterAt(text, at);
        if (!character) {
            return false;
        }
        at += character->length;
    }
    return true;
}

std::string withInvalidUtf8Replaced(const std::string& text) {
    std::string valid;
    valid.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const auto character = utf8CharacterAt(text, at);
        if (!character) {
            valid += replacementCharacter;
            ++at;
            continue;
        }
        valid.append(text, at, character->length);
        at += character->length;
    }
    return valid;
}

}  // namespace kadenza

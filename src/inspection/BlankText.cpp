#include "inspection/BlankText.h"

#include <optional>

#include "model/Utf8Characters.h"

namespace kadenza {

namespace {

bool isWhiteSpace(char32_t code) {
    return (code >= 0x09 && code <= 0x0D) || code == 0x20 || code == 0x85 || code == 0xA0 ||
           code == 0x1680 || (code >= 0x2000 && code <= 0x200B) || code == 0x2028 ||
           code == 0x2029 || code == 0x202F || code == 0x205F || code == 0x3000 || code == 0xFEFF;
}

}  // namespace

bool isBlank(const std::string& text) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::optional<Utf8Character> character = utf8CharacterAt(text, at);
        if (!character || !isWhiteSpace(character->code)) {
            return false;
        }
        at += character->length;
    }
    return true;
}

}  // namespace kadenza

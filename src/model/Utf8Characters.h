#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace kadenza {

// Reading UTF-8 that may not be UTF-8: notes from hand-made files, text typed on a terminal in
// another encoding.

// A character of well-formed UTF-8: its code point and the bytes it takes.
struct Utf8Character {
    char32_t code;
    std::size_t length;
};

// The character at `at`; none for a stray or cut-short byte, an overlong form, a surrogate or
// a code point beyond U+10FFFF.
std::optional<Utf8Character> utf8CharacterAt(const std::string& text, std::size_t at);

// Whether the whole text is well-formed UTF-8.
bool isUtf8(const std::string& text);

// The text with every byte that starts no well-formed character replaced by U+FFFD.
std::string withInvalidUtf8Replaced(const std::string& text);

// U+FFFD REPLACEMENT CHARACTER in UTF-8.
constexpr const char* replacementCharacter = "\xEF\xBF\xBD";

}  // namespace kadenza

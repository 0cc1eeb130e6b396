#include "inspection/TextReading.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace kadenza {

namespace {

constexpr std::string_view blanks = " \t";

char lowerCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerCase(a[i]) != lowerCase(b[i])) {
            return false;
        }
    }
    return true;
}

std::optional<double> takeNumber(std::string_view& text) {
    if (text.empty() || text.front() < '0' || text.front() > '9') {
        return std::nullopt;
    }
    double number = 0;
    const auto result =
        std::from_chars(text.data(), text.data() + text.size(), number, std::chars_format::fixed);
    if (result.ec != std::errc()) {
        return std::nullopt;
    }
    text.remove_prefix(static_cast<std::size_t>(result.ptr - text.data()));
    return number;
}

std::optional<double> readDecimal(std::string_view text) {
    text = trimmed(text);
    std::string digits(text);
    const std::size_t comma = digits.find(',');
    if (comma != std::string::npos) {
        digits[comma] = '.';
    }
    std::string_view rest = digits;
    const auto number = takeNumber(rest);
    // takeNumber stops before a point with no digits after it ("16." or "16,").
    if (!number || !rest.empty() || digits.back() == '.') {
        return std::nullopt;
    }
    return number;
}

std::string_view takeWord(std::string_view& text) {
    const auto start = text.find_first_not_of(blanks);
    if (start == std::string_view::npos) {
        text = {};
        return {};
    }
    text.remove_prefix(start);
    const auto end = std::min(text.find_first_of(blanks), text.size());
    const std::string_view word = text.substr(0, end);
    text.remove_prefix(end);
    return word;
}

}  // namespace kadenza

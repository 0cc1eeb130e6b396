#include "inspection/CalendarDate.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace kadenza {

namespace {

bool isDigits(const std::string& text, std::size_t from, std::size_t count) {
    for (std::size_t i = from; i < from + count; ++i) {
        if (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i]))) {
            return false;
        }
    }
    return true;
}

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

bool isValid(const CalendarDate& date) {
    return date.year >= 1 && date.month >= 1 && date.month <= 12 && date.day >= 1 &&
           date.day <= daysInMonth(date.year, date.month);
}

// A number of 1 to `most` digits at `at`, and `at` moved past it.
std::optional<int> readNumber(const std::string& text, std::size_t& at, std::size_t most) {
    std::size_t length = 0;
    while (length < most && isDigits(text, at + length, 1)) {
        ++length;
    }
    if (length == 0) {
        return std::nullopt;
    }
    const int number = std::stoi(text.substr(at, length));
    at += length;
    return number;
}

// A dot at `at`, and the blanks after it.
bool skipDot(const std::string& text, std::size_t& at) {
    if (at >= text.size() || text[at] != '.') {
        return false;
    }
    ++at;
    while (at < text.size() && text[at] == ' ') {
        ++at;
    }
    return true;
}

// 8.12.2026 or 8. 12. 2026.
std::optional<CalendarDate> readCzechDate(const std::string& text) {
    std::size_t at = 0;
    const std::optional<int> day = readNumber(text, at, 2);
    if (!day || !skipDot(text, at)) {
        return std::nullopt;
    }
    const std::optional<int> month = readNumber(text, at, 2);
    if (!month || !skipDot(text, at)) {
        return std::nullopt;
    }
    const std::size_t yearStart = at;
    const std::optional<int> year = readNumber(text, at, 4);
    if (!year || at - yearStart != 4 || at != text.size()) {
        return std::nullopt;
    }
    const CalendarDate date{*year, *month, *day};
    return isValid(date) ? std::optional<CalendarDate>(date) : std::nullopt;
}

std::string withoutBlanksAround(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::optional<CalendarDate> readIsoDate(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !isDigits(text, 0, 4) ||
        !isDigits(text, 5, 2) || !isDigits(text, 8, 2)) {
        return std::nullopt;
    }
    const CalendarDate date{std::stoi(text.substr(0, 4)), std::stoi(text.substr(5, 2)),
                            std::stoi(text.substr(8, 2))};
    return isValid(date) ? std::optional<CalendarDate>(date) : std::nullopt;
}

std::optional<CalendarDate> readTypedDate(const std::string& text) {
    const std::string date = withoutBlanksAround(text);
    const std::optional<CalendarDate> iso = readIsoDate(date);
    return iso ? iso : readCzechDate(date);
}

std::string isoText(const CalendarDate& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

CalendarDate addMonths(const CalendarDate& date, int months) {
    const int index = date.year * 12 + (date.month - 1) + months;
    const int year = index / 12;
    const int month = index % 12 + 1;
    return {year, month, std::min(date.day, daysInMonth(year, month))};
}

}  // namespace kadenza

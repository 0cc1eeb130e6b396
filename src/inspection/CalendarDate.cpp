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

}  // namespace

std::optional<CalendarDate> readIsoDate(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !isDigits(text, 0, 4) ||
        !isDigits(text, 5, 2) || !isDigits(text, 8, 2)) {
        return std::nullopt;
    }
    const CalendarDate date{std::stoi(text.substr(0, 4)), std::stoi(text.substr(5, 2)),
                            std::stoi(text.substr(8, 2))};
    if (date.year < 1 || date.month < 1 || date.month > 12 || date.day < 1 ||
        date.day > daysInMonth(date.year, date.month)) {
        return std::nullopt;
    }
    return date;
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

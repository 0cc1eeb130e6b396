#pragma once

#include <optional>
#include <string>

namespace kadenza {

// A day of the calendar, as the details write it: YYYY-MM-DD.
struct CalendarDate {
    int year;
    int month;
    int day;
};

// The day the text names; none for a text that is no ISO date or a day the calendar lacks
// (2026-02-30).
std::optional<CalendarDate> readIsoDate(const std::string& text);

// The day a user typed: an ISO date, or day, month and year the Czech way, each dot followed by
// a blank or not ("8.12.2026", "8. 12. 2026"); blanks around it aside.
std::optional<CalendarDate> readTypedDate(const std::string& text);

std::string isoText(const CalendarDate& date);

// The date `months` later; a day the later month lacks becomes its last (2024-02-29 plus a
// year is 2025-02-28).
CalendarDate addMonths(const CalendarDate& date, int months);

}  // namespace kadenza

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kadenza {

// An archived inspection as lists show it. Dates are ISO (2026-12-07); `date` is empty when
// the details give none.
struct InspectionSummary {
    std::int64_t id = 0;
    std::string site;
    std::string client;
    std::string operatorName;
    std::string inspector;
    std::string date;
    // The details' next date, else the one the period tables give; none when neither is known.
    std::optional<std::string> nextDate;
    // How the inspection's values add up, as overallName writes it: pass, fail, incomplete,
    // none.
    std::string overall;
};

// One archived value of a circuit, with what it was judged against.
struct HistoryPoint {
    std::string date;
    std::int64_t inspection = 0;
    // The plain symbol ("Z_S", "R_ISO") and the base unit ("Ω").
    std::string symbol;
    double value = 0;
    // Beyond the instrument's range: the value is a bound (">" for one of 0 or more).
    bool over = false;
    std::string unit;
    // As verdictName writes it: pass, fail, none.
    std::string verdict;
    // The limit's ends in the base unit; both absent when no limit judged the value.
    std::optional<double> limitMin;
    std::optional<double> limitMax;
    // Whether the value moved toward its limit by more than a quarter of the distance since the
    // same value of the inspection before.
    bool trend = false;
};

// An inspection in the list of a site's revisions, with how many of its values passed, failed
// or were not judged.
struct RevisionSummary {
    InspectionSummary inspection;
    int passed = 0;
    int failed = 0;
    int unjudged = 0;
};

// A circuit of a site, with the plain symbols of the values archived for it.
struct CircuitQuantities {
    std::string circuit;
    std::vector<std::string> symbols;
};

// What adding a data file to the archive did.
struct AddResult {
    std::int64_t id = 0;
    // False when the archive held the same bytes already: `id` is theirs.
    bool added = false;
};

}  // namespace kadenza

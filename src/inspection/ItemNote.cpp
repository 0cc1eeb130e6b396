#include "inspection/ItemNote.h"

#include "inspection/TextReading.h"

namespace kadenza {

namespace {

// The rated current at the front of the note, "30mA" or "30 mA", taken off it; none, leaving
// the note alone, when it does not start with one.
std::optional<double> takeRatedCurrent(std::string_view& note) {
    std::string_view rest = note;
    const auto number = takeNumber(rest);
    if (!number || *number <= 0 || !sameIgnoringCase(takeWord(rest), "mA")) {
        return std::nullopt;
    }
    note = rest;
    return number;
}

}  // namespace

RcdNote readRcdNote(const std::string& note) {
    std::string_view rest = trimmed(note);
    RcdNote result;
    result.ratedCurrent = takeRatedCurrent(rest);
    result.type = readRcdType(takeWord(rest));
    return result;
}

std::string readRcdType(std::string_view text) {
    for (const char* type : {"AC", "A", "B", "F"}) {
        if (sameIgnoringCase(trimmed(text), type)) {
            return type;
        }
    }
    return {};
}

std::optional<double> readTestVoltage(const std::string& note) {
    std::string_view rest = trimmed(note);
    const auto volts = takeNumber(rest);
    if (!volts || !sameIgnoringCase(trimmed(rest), "V")) {
        return std::nullopt;
    }
    return volts;
}

bool hasLowMeasuringCurrent(const std::string& note) {
    std::string_view rest = trimmed(note);
    if (rest.substr(0, 2) != "I<") {
        return false;
    }
    rest.remove_prefix(2);
    const auto current = takeNumber(rest);
    return current && *current <= 200 && sameIgnoringCase(trimmed(rest), "mA");
}

}  // namespace kadenza

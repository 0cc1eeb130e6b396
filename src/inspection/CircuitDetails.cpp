#include "inspection/CircuitDetails.h"

#include <string_view>

#include "inspection/TextReading.h"

namespace kadenza {

namespace {

int tripMultipleOf(char characteristic) {
    switch (characteristic) {
        case 'B':
        case 'b':
            return 5;
        case 'C':
        case 'c':
            return 10;
        case 'D':
        case 'd':
            return 20;
        default:
            return 0;
    }
}

// The number that makes up the whole text, with an optional unit after it.
std::optional<double> numberWithUnit(std::string_view text, std::string_view unit) {
    const auto number = takeNumber(text);
    text = trimmed(text);
    if (!number || !(text.empty() || sameIgnoringCase(text, unit))) {
        return std::nullopt;
    }
    return number;
}

}  // namespace

Earthing readEarthing(const std::string& text) {
    const std::string_view system = trimmed(text);
    for (const char* tn : {"TN", "TN-C", "TN-S", "TN-C-S"}) {
        if (sameIgnoringCase(system, tn)) {
            return Earthing::tn;
        }
    }
    if (sameIgnoringCase(system, "TT")) {
        return Earthing::tt;
    }
    if (sameIgnoringCase(system, "IT")) {
        return Earthing::it;
    }
    return Earthing::unknown;
}

std::optional<ProtectiveDevice> readDevice(const std::string& text) {
    const std::string_view device = trimmed(text);
    if (device.empty() || tripMultipleOf(device.front()) == 0) {
        return std::nullopt;
    }
    const auto ratedCurrent = numberWithUnit(trimmed(device.substr(1)), "A");
    if (!ratedCurrent || *ratedCurrent <= 0) {
        return std::nullopt;
    }
    return ProtectiveDevice{*ratedCurrent, tripMultipleOf(device.front())};
}

std::optional<double> readNominalVolts(const std::string& text) {
    const auto volts = numberWithUnit(trimmed(text), "V");
    if (!volts || *volts <= 0) {
        return std::nullopt;
    }
    return volts;
}

bool isSafetyExtraLowVoltage(const std::string& nominalVoltage) {
    const std::string_view text = trimmed(nominalVoltage);
    return sameIgnoringCase(text, "SELV") || sameIgnoringCase(text, "PELV");
}

}  // namespace kadenza

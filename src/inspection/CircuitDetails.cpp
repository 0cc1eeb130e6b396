#include "inspection/CircuitDetails.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include "inspection/TextReading.h"

namespace kadenza {

namespace {

int tripMultipleOf(char characteristic) {
    switch (characteristic) {
        case 'B':
            return 5;
        case 'C':
            return 10;
        case 'D':
            return 20;
        default:
            return 0;
    }
}

char upperCase(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The number that makes up the whole text, with an optional unit after it.
std::optional<double> numberWithUnit(std::string_view text, std::string_view unit) {
    text = trimmed(text);
    if (text.size() > unit.size() &&
        sameIgnoringCase(text.substr(text.size() - unit.size()), unit)) {
        text.remove_suffix(unit.size());
    }
    return readDecimal(text);
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
    if (device.empty()) {
        return std::nullopt;
    }
    const char characteristic = upperCase(device.front());
    const int tripMultiple = tripMultipleOf(characteristic);
    const auto ratedCurrent = numberWithUnit(device.substr(1), "A");
    if (tripMultiple == 0 || !ratedCurrent || *ratedCurrent <= 0) {
        return std::nullopt;
    }
    return ProtectiveDevice{characteristic, *ratedCurrent, tripMultiple};
}

std::optional<double> readNominalVolts(const std::string& text) {
    const auto volts = numberWithUnit(text, "V");
    if (!volts || *volts <= 0) {
        return std::nullopt;
    }
    return volts;
}

bool isSafetyExtraLowVoltage(const std::string& nominalVoltage) {
    const std::string_view text = trimmed(nominalVoltage);
    return sameIgnoringCase(text, "SELV") || sameIgnoringCase(text, "PELV");
}

std::optional<double> readRatedResidualCurrent(const std::optional<double>& milliamperes) {
    if (!milliamperes ||
        std::find(std::begin(ratedResidualCurrents), std::end(ratedResidualCurrents),
                  *milliamperes) == std::end(ratedResidualCurrents)) {
        return std::nullopt;
    }
    return milliamperes;
}

}  // namespace kadenza

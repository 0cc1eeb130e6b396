#include "inspection/CalibrationCheck.h"

#include "inspection/CalendarDate.h"
#include "language/FilledText.h"
#include "language/Language.h"

namespace kadenza {

namespace {

constexpr int calibratedAfterRow = 538;
constexpr int calibrationExpiredRow = 539;

// "2 (Mx350 0123)": the instrument's number with what it is, as far as it is known.
std::string instrumentName(const InstrumentDetails& instrument) {
    std::string what = instrument.model;
    what += (what.empty() || instrument.serial.empty() ? "" : " ") + instrument.serial;
    const std::string number = std::to_string(instrument.number);
    return what.empty() ? number : number + " (" + what + ")";
}

}  // namespace

std::string calibrationFault(const InstrumentDetails& instrument,
                             const InspectionDetails& inspection) {
    const auto calibrated = readIsoDate(instrument.calibrationDate);
    const std::string& end = inspection.endDate.empty() ? inspection.date : inspection.endDate;
    if (!calibrated || !readIsoDate(end)) {
        return {};
    }
    const std::string name = instrumentName(instrument);
    if (instrument.calibrationDate > end) {
        return filledText(RowText(calibratedAfterRow), {name});
    }
    const int months = instrument.calibrationInterval.value_or(defaultCalibrationMonths);
    if (isoText(addMonths(*calibrated, months)) < end) {
        return filledText(RowText(calibrationExpiredRow), {name, std::to_string(months)});
    }
    return {};
}

}  // namespace kadenza

#include "inspection/RevisionPeriods.h"

#include "inspection/CalendarDate.h"
#include "inspection/TextReading.h"

namespace kadenza {

const std::vector<RevisionPeriod>& environmentPeriods() {
    static const std::vector<RevisionPeriod> periods = {
        {"basic", 60, 350},     {"normal", 60, 351},    {"outdoor", 48, 352},
        {"roofed", 48, 353},    {"cold", 36, 354},      {"hot", 36, 355},
        {"damp", 36, 356},      {"corrosive", 36, 357}, {"dust", 36, 358},
        {"pests", 36, 359},     {"vibration", 24, 360}, {"fire", 24, 361},
        {"explosion", 24, 362}, {"wet", 12, 363},       {"extremeCorrosion", 12, 364},
    };
    return periods;
}

const std::vector<RevisionPeriod>& locationPeriods() {
    static const std::vector<RevisionPeriod> periods = {
        {"assembly", 24, 365},        {"residential", 60, 366},
        {"school", 36, 367},          {"flammable", 24, 368},
        {"mobile", 12, 369},          {"construction", 6, 370},
        {"bathroom", 36, 371},        {"pool", 12, 372},
        {"sauna", 36, 373},           {"agriculture", 36, 374},
        {"outdoorLighting", 48, 375}, {"commonParts", 24, 376},
    };
    return periods;
}

std::optional<std::vector<const RevisionPeriod*>> readPeriodKeys(
    const std::string& list, const std::vector<RevisionPeriod>& table) {
    std::vector<const RevisionPeriod*> periods;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(',', start), list.size());
        const std::string_view key = trimmed(std::string_view(list).substr(start, end - start));
        const RevisionPeriod* found = nullptr;
        for (const RevisionPeriod& period : table) {
            if (sameIgnoringCase(key, period.key)) {
                found = &period;
            }
        }
        if (found == nullptr) {
            return std::nullopt;
        }
        periods.push_back(found);
        start = end + 1;
    }
    return periods;
}

namespace {

// The shortest period of the keys the list names, if it names any that can be read.
void takeShortest(const std::string& list, const std::vector<RevisionPeriod>& table,
                  bool byEnvironment, NextRevision& shortest) {
    if (trimmed(list).empty()) {
        return;
    }
    const auto periods = readPeriodKeys(list, table);
    if (!periods) {
        return;
    }
    for (const RevisionPeriod* period : *periods) {
        if (shortest.period == nullptr || period->months < shortest.period->months) {
            shortest.period = period;
            shortest.byEnvironment = byEnvironment;
        }
    }
}

}  // namespace

std::optional<NextRevision> tableRevision(const InspectionDetails& inspection) {
    const auto end = readIsoDate(inspection.endDate.empty() ? inspection.date : inspection.endDate);
    NextRevision next;
    takeShortest(inspection.environment, environmentPeriods(), true, next);
    takeShortest(inspection.location, locationPeriods(), false, next);
    if (!end || next.period == nullptr) {
        return std::nullopt;
    }
    next.date = isoText(addMonths(*end, next.period->months));
    return next;
}

std::optional<NextRevision> nextRevision(const InspectionDetails& inspection) {
    const std::optional<NextRevision> table = tableRevision(inspection);
    if (inspection.nextDate.empty()) {
        return table;
    }
    NextRevision given;
    given.date = inspection.nextDate;
    if (table && readIsoDate(inspection.nextDate) && inspection.nextDate > table->date) {
        given.period = table->period;
        given.byEnvironment = table->byEnvironment;
        given.tableDate = table->date;
    }
    return given;
}

}  // namespace kadenza

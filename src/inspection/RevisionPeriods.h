#pragma once

#include <optional>
#include <string>
#include <vector>

#include "inspection/Details.h"

namespace kadenza {

// The longest time between two periodic revisions of an installation, by its environment and
// by the kind of place it serves; the shortest of those that apply holds.
struct RevisionPeriod {
    const char* key;
    // In months: five years are 60, half a year 6.
    int months;
    // The language row of what the key names.
    int row;
};

const std::vector<RevisionPeriod>& environmentPeriods();
const std::vector<RevisionPeriod>& locationPeriods();

// The keys of a list the details hold ("damp, dust"); none when a key is not one of the
// table's.
std::optional<std::vector<const RevisionPeriod*>> readPeriodKeys(
    const std::string& list, const std::vector<RevisionPeriod>& table);

// When the next periodic revision is due and what set the date.
struct NextRevision {
    std::string date;
    // The table row that gave the shortest period; none when the details named the date
    // within it.
    const RevisionPeriod* period = nullptr;
    // Whether that row is of the environment table rather than the location table.
    bool byEnvironment = false;
    // Where the details name a date later than the tables allow (kept on purpose), the date
    // the tables set; `period` is then the row that set it.
    std::string tableDate;
};

// The next revision: the date the details give, else the end of this revision (its start
// when no end is given) plus the shortest period its environment and location allow. None
// when neither a date nor what computes one is known.
std::optional<NextRevision> nextRevision(const InspectionDetails& inspection);

// The next revision the tables set, whatever date the details give; none when they set none.
std::optional<NextRevision> tableRevision(const InspectionDetails& inspection);

}  // namespace kadenza

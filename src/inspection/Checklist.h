#pragma once

#include <vector>

namespace kadenza {

// What a revision checks besides measuring: the visual inspection (IEC 60364-6, 6.4.2.3) and
// the functional tests (6.4.3.10). Each is a detail "check.NAME" taking ok, defect or na.
struct CheckItem {
    const char* name;
    // The language row of what is checked.
    int row;
    // A functional test rather than a part of the visual inspection.
    bool functional;
};

const std::vector<CheckItem>& checklist();

}  // namespace kadenza

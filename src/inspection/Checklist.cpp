#include "inspection/Checklist.h"

namespace kadenza {

const std::vector<CheckItem>& checklist() {
    static const std::vector<CheckItem> items = {
        {"shockProtection", 334, false},
        {"fireBarriers", 335, false},
        {"conductorSelection", 336, false},
        {"protectiveDevices", 337, false},
        {"isolatingDevices", 338, false},
        {"externalInfluences", 339, false},
        {"conductorIdentification", 340, false},
        {"singlePoleSwitching", 341, false},
        {"diagrams", 342, false},
        {"circuitIdentification", 343, false},
        {"connections", 344, false},
        {"protectiveConductors", 345, false},
        {"accessibility", 346, false},
        {"rcdTestButton", 347, true},
        {"switchgear", 348, true},
        {"interlocks", 349, true},
    };
    return items;
}

}  // namespace kadenza

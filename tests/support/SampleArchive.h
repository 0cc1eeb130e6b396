#pragma once

#include <string>
#include <vector>

namespace kadenza::test {

// The data files of a sample archive: the simulator's sample download of an Mx350, revised
// at two sites once a year over five years, with the inspection details a technician gives.
//
// "Javorová 12, Brno" (client "Bytové družstvo Javorová"), revised each March from 2022 to
// 2026, and "Školní 5, Olomouc" (client "ZŠ Školní"), each November from 2021 to 2025. The
// banks are circuits: 1 runs three-phase without an RCD, 2, 3 and 5 are behind RCDs of 30,
// 100 and 10 mA. Year by year the loop impedances rise, the fault currents fall with them,
// the protective conductors' resistances rise and the insulation resistances fall. The house's
// lift (bank 1) ages fastest: its loop impedance passes its C20 breaker's limit until the
// 2026 revision, which fails it, the only revision that fails, and brings the next one forward
// to January 2027. The school's next revision fell due in November 2026.
std::vector<std::string> sampleArchiveFiles();

}  // namespace kadenza::test

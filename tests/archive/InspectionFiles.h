#pragma once

#include <string>
#include <vector>

namespace kadenza::test {

// Quantity codes of the values these files hold.
constexpr int loopImpedanceCode = 3;
constexpr int insulationCode = 15;

// The bytes of a data file from an inspection: bank 1 with the loop impedances (Z_S) and an
// insulation resistance (R_ISO), bank 2 with one loop impedance, and the
// details set as `kadenza-cli details --set` names them ("inspection.site=Villa"). An
// insulation over the instrument's range reads as more than its value.
std::string inspectionFile(const std::vector<std::string>& details,
                           const std::vector<double>& loopImpedances = {0.5},
                           double insulation = 200e6, bool insulationOver = false);

// Details under which bank 1's loop impedances are judged: a B16 in a TN system, at most
// 2.875 Ω.
std::vector<std::string> judgedCircuit(const std::string& site, const std::string& date);

// A file of `items` loop impedances in banks of 100, for an add that takes a while.
std::string largeInspectionFile(const std::string& site, int items);

}  // namespace kadenza::test

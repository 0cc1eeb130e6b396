#pragma once

#include <string>

#include "cli/Arguments.h"
#include "model/InstrumentSetup.h"

namespace kadenza::cli {

// Applies one --set ID:POS=VALUE through the item's range check; throws UsageError when the
// setup has no such item or the item refuses the value.
void applyChange(InstrumentSetup& setup, const std::string& change);

// Prints each group, then its items indented, as the setup dialog lists them; a setting read
// outside its range is marked so.
void printSetup(const InstrumentSetup& setup);

// Throws OutOfRangeError naming the first setting whose value may not be written back.
void checkWritable(const InstrumentSetup& setup);

// Says on stderr that the instrument keeps no settings; returns the tool's exit code for it.
int reportNoSettings();

}  // namespace kadenza::cli

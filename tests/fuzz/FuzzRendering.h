#pragma once

#include "model/InstrumentData.h"
#include "model/InstrumentSetup.h"

namespace kadenza::fuzz {

// Everything the program shows or writes of a container, built in memory: the row text of
// every node under every column mask, the native file, XML, HTML and plain text. Decoded
// values of any kind must survive all of it.
void renderData(const InstrumentData& data);

// The row text of every group and setting.
void renderSetup(const InstrumentSetup& setup);

}  // namespace kadenza::fuzz

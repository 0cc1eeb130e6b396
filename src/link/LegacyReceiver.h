#pragma once

#include "link/SerialLine.h"
#include "link/TransferReporter.h"
#include "model/InstrumentData.h"

namespace kadenza {

// Receives the frame an Mx310.1 pushes at 1200 baud on a line already open: waits for the
// start byte "A" until cancelled, takes the 532 bytes that follow (the twelfth empty read
// fails), checks the checksum and only then decodes into the container. Progress and
// failures go to the reporter; true when the container was filled.
bool receiveLegacyTransfer(SerialLine& line, InstrumentData& data, TransferReporter& reporter);

}  // namespace kadenza

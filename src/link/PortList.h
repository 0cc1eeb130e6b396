#pragma once

#include <string>
#include <vector>

#include "link/PosixSerialLine.h"

namespace kadenza {

// Serial devices the system has, as device paths in a stable order: on-board UARTs that
// really exist (ttyS), USB adapters (ttyUSB, ttyACM) and Bluetooth serial links (rfcomm).
// Virtual consoles and pseudo-terminals are not serial ports and never listed.
std::vector<std::string> systemSerialDevices(const std::string& classFolder = "/sys/class/tty",
                                             const std::string& deviceFolder = "/dev");

// The problem told to the user in the current language; empty for None.
std::string portProblemText(PortProblem problem);

// A serial device of the system and why it cannot be used now.
struct SerialPortState {
    std::string path;
    PortProblem problem;
};

// Every serial device of the system in the order of systemSerialDevices, each with why it
// cannot be opened for exclusive use now, as a transfer would open it.
std::vector<SerialPortState> serialPortStates(const std::string& classFolder = "/sys/class/tty",
                                              const std::string& deviceFolder = "/dev");

}  // namespace kadenza

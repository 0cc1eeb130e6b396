#pragma once

#include <string>
#include <vector>

namespace kadenza {

// Serial devices the system has, as device paths in a stable order: on-board UARTs that
// really exist (ttyS), USB adapters (ttyUSB, ttyACM) and Bluetooth serial links (rfcomm).
// Virtual consoles and pseudo-terminals are not serial ports and never listed.
std::vector<std::string> systemSerialDevices(const std::string& classFolder = "/sys/class/tty",
                                             const std::string& deviceFolder = "/dev");

// True when the port can be opened for exclusive use now, as a transfer would open it.
bool portIsUsable(const std::string& path);

// The system's serial devices that are usable now.
std::vector<std::string> usableSerialPorts();

}  // namespace kadenza

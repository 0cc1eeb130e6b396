#include "link/PortList.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "language/Language.h"
#include "link/ProtocolBytes.h"

namespace kadenza {

namespace {

namespace fs = std::filesystem;

constexpr const char* serialFamilies[] = {"ttyS", "ttyUSB", "ttyACM", "rfcomm"};

constexpr int noPermissionRow = 256;
constexpr int inUseRow = 257;
constexpr int notSerialRow = 258;
constexpr int notRespondingRow = 260;

// The family's place in the list and the device's number in it; none for other devices.
bool familyAndNumber(const std::string& name, int& family, long& number) {
    for (int i = 0; i < static_cast<int>(std::size(serialFamilies)); ++i) {
        const std::string prefix = serialFamilies[i];
        const std::string rest = name.substr(std::min(prefix.size(), name.size()));
        if (name.compare(0, prefix.size(), prefix) == 0 && !rest.empty() &&
            std::all_of(rest.begin(), rest.end(), ::isdigit)) {
            family = i;
            number = std::stol(rest);
            return true;
        }
    }
    return false;
}

// The kernel keeps a ttyS device for every possible UART; only those with a real UART
// behind them report a known port type. The class folder tells the type to everybody, so a
// user who may not open the device still finds it listed (with the reason); where it does not
// tell, the device is asked.
bool uartExists(const fs::path& classEntry, const std::string& path) {
    std::ifstream typeFile(classEntry / "type");
    int type = PORT_UNKNOWN;
    if (typeFile >> type) {
        return type != PORT_UNKNOWN;
    }
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    serial_struct serial{};
    const bool known = ::ioctl(fd, TIOCGSERIAL, &serial) == 0 && serial.type != PORT_UNKNOWN;
    ::close(fd);
    return known;
}

}  // namespace

std::vector<std::string> systemSerialDevices(const std::string& classFolder,
                                             const std::string& deviceFolder) {
    std::vector<std::tuple<int, long, std::string>> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(classFolder, error)) {
        const std::string name = entry.path().filename().string();
        int family = 0;
        long number = 0;
        if (!familyAndNumber(name, family, number) || !fs::exists(entry.path() / "device")) {
            continue;
        }
        const std::string path = deviceFolder + "/" + name;
        if (family == 0 && !uartExists(entry.path(), path)) {
            continue;
        }
        found.emplace_back(family, number, path);
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> paths;
    for (const auto& [family, number, path] : found) {
        paths.push_back(path);
    }
    return paths;
}

std::string portProblemText(PortProblem problem) {
    switch (problem) {
        case PortProblem::None:
            break;
        case PortProblem::NoPermission:
            return RowText(noPermissionRow);
        case PortProblem::InUse:
            return RowText(inUseRow);
        case PortProblem::NotSerial:
            return RowText(notSerialRow);
        case PortProblem::NotResponding:
            return RowText(notRespondingRow);
    }
    return {};
}

std::vector<SerialPortState> serialPortStates(const std::string& classFolder,
                                              const std::string& deviceFolder) {
    std::vector<SerialPortState> states;
    for (const std::string& path : systemSerialDevices(classFolder, deviceFolder)) {
        states.push_back({path, PosixSerialLine(path, instrumentBaud).problem()});
    }
    return states;
}

}  // namespace kadenza

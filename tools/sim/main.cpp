#include <signal.h>
#include <sys/time.h>

#include <atomic>
#include <cmath>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "language/Language.h"
#include "link/ProtocolBytes.h"
#include "sim/LegacyInstrument.h"
#include "sim/PseudoTerminal.h"
#include "sim/SerialDevice.h"
#include "sim/SimulatedInstrument.h"
#include "sim/SimulatorError.h"
#include "sim/SimulatorFiles.h"
#include "sim/SimulatorOptions.h"
#include "sim/SimulatorUsage.h"

namespace {

using namespace kadenza;
using namespace kadenza::sim;

std::atomic<bool> stopRequested{false};

extern "C" void requestStop(int) {
    stopRequested = true;
}

// SIGTERM, SIGINT and the time-out all end the simulator the same clean way. Without
// SA_RESTART a signal also cuts short the wait for the program's next byte.
void arrangeStop(double timeoutSeconds) {
    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT, SIGALRM}) {
        sigaction(signal, &action, nullptr);
    }
    const double whole = std::floor(timeoutSeconds);
    itimerval timer{};
    timer.it_value.tv_sec = static_cast<time_t>(whole);
    timer.it_value.tv_usec = static_cast<suseconds_t>((timeoutSeconds - whole) * 1e6);
    setitimer(ITIMER_REAL, &timer, nullptr);
}

// The end of the line the instrument plays on: a pseudo-terminal, or the port named with
// --device.
struct Port {
    std::unique_ptr<PseudoTerminal> terminal;
    std::unique_ptr<SerialDevice> device;
    std::string path;

    int fd() const { return terminal ? terminal->masterFd() : device->fd(); }
};

Port openPort(const SimulatorOptions& options) {
    Port port;
    if (options.devicePath.empty()) {
        port.terminal = std::make_unique<PseudoTerminal>();
        port.path = port.terminal->devicePath();
    } else {
        const int baud = options.legacy ? legacyBaud : instrumentBaud;
        port.device = std::make_unique<SerialDevice>(options.devicePath, baud);
        port.path = options.devicePath;
    }
    return port;
}

// Tells the user, on the first line of stdout, which device to use. Only once the instrument
// is ready: an Mx310.1 would not see a program that opened the port before.
void announce(const Port& port) {
    std::cout << port.path << std::endl;
    if (!std::cout) {
        throw SimulatorError(exitFileFailure, "Cannot write to standard output");
    }
}

int playModel(const SimulatorOptions& options) {
    std::vector<std::uint8_t> image = instrumentImage(options);
    const Port port = openPort(options);
    SimulatedInstrument instrument(port.fd(), options.behaviour, std::move(image));
    announce(port);
    instrument.run(stopRequested);
    if (!options.saveImageFile.empty()) {
        saveImage(options.saveImageFile, instrument.image());
    }
    return exitSuccess;
}

int playLegacy(const SimulatorOptions& options) {
    std::vector<std::uint8_t> transmission = legacyTransmission(legacyFrame(options));
    const Port port = openPort(options);
    auto instrument = port.terminal
                          ? std::make_unique<LegacyInstrument>(*port.terminal, options.behaviour,
                                                               std::move(transmission))
                          : std::make_unique<LegacyInstrument>(port.fd(), options.behaviour,
                                                               std::move(transmission));
    announce(port);
    instrument->run(stopRequested);
    return exitSuccess;
}

int runSimulator(const std::vector<std::string>& args) {
    const SimulatorOptions options = parseSimulatorOptions(args);
    if (options.help) {
        std::cout << simulatorUsage;
        return exitSuccess;
    }
    if (options.version) {
        std::cout << "kadenza-sim " << kadenza::programVersion() << '\n';
        return exitSuccess;
    }
    arrangeStop(options.timeoutSeconds);
    return options.legacy ? playLegacy(options) : playModel(options);
}

}  // namespace

int main(int argc, char* argv[]) {
    try {
        const int exitCode = runSimulator({argv + 1, argv + argc});
        if (!std::cout.flush()) {
            throw SimulatorError(exitFileFailure, "Cannot write to standard output");
        }
        return exitCode;
    } catch (const SimulatorError& error) {
        std::cerr << "kadenza-sim: " << error.what() << '\n';
        return error.exitCode();
    } catch (const std::exception& error) {
        std::cerr << "kadenza-sim: " << error.what() << '\n';
        return exitFileFailure;
    }
}

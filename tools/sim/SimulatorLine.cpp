#include "sim/SimulatorLine.h"

#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace kadenza::sim {

SimulatorLine::SimulatorLine(int fd, int baud, const InstrumentBehaviour& behaviour)
    : fd_(fd), pacer_(baud, behaviour.paced), faults_(behaviour.faults, behaviour.seed) {}

int SimulatorLine::receive(std::uint8_t* buffer, int capacity, int timeoutMs) {
    pollfd waiting{fd_, POLLIN, 0};
    if (poll(&waiting, 1, timeoutMs) <= 0) {
        return 0;
    }
    if ((waiting.revents & POLLIN) == 0) {
        // A real port that hung up reports so at once; waiting out the time keeps the caller
        // from spinning until it is told to stop.
        std::this_thread::sleep_for(std::chrono::milliseconds(timeoutMs));
        return 0;
    }
    const ssize_t count = read(fd_, buffer, static_cast<std::size_t>(capacity));
    if (count <= 0) {
        return 0;
    }
    pacer_.bookReceived(static_cast<int>(count));
    return static_cast<int>(count);
}

void SimulatorLine::send(std::uint8_t byte) {
    for (std::uint8_t lineByte : faults_.spoil(byte)) {
        pacer_.waitToSend();
        write(lineByte);
    }
}

bool SimulatorLine::hasRoom() const {
    pollfd waiting{fd_, POLLOUT, 0};
    return poll(&waiting, 1, 0) > 0 && (waiting.revents & POLLOUT) != 0;
}

void SimulatorLine::write(std::uint8_t byte) {
    // A byte that cannot go out is lost, as on a cable nobody listens to. A signal that
    // interrupts a waiting write is the one that stops the simulator.
    const ssize_t written = ::write(fd_, &byte, 1);
    static_cast<void>(written);
}

}  // namespace kadenza::sim

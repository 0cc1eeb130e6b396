#include "sim/SimulatedInstrument.h"

#include "link/ProtocolBytes.h"

namespace kadenza::sim {

namespace {

constexpr int stopCheckMs = 50;

bool movesBlock(const std::vector<std::uint8_t>& reply) {
    const std::uint8_t head = reply.front();
    return head == readRequest || head == writeFrame || head == streamStart;
}

}  // namespace

SimulatedInstrument::SimulatedInstrument(int fd, const InstrumentBehaviour& behaviour,
                                         std::vector<std::uint8_t> image)
    : behaviour_(behaviour),
      line_(fd, instrumentBaud, behaviour),
      protocol_(behaviour.modelCode, behaviour.textIdentification, std::move(image)) {}

void SimulatedInstrument::run(const std::atomic<bool>& stop) {
    std::uint8_t buffer[256];
    while (!stop) {
        const int count = line_.receive(buffer, sizeof buffer, stopCheckMs);
        // An instrument switched off takes in nothing, written blocks included.
        for (int i = 0; i < count && answers(); ++i) {
            answer(protocol_.receive(buffer[i]));
        }
    }
}

void SimulatedInstrument::answer(std::vector<std::uint8_t> reply) {
    if (reply.empty()) {
        return;
    }
    if (reply.front() == readRequest && line_.faults().refusesRead()) {
        reply = {readRefusal};
    }
    if (movesBlock(reply)) {
        ++blocksMoved_;
    }
    for (std::uint8_t byte : reply) {
        line_.send(byte);
    }
}

bool SimulatedInstrument::answers() const {
    const bool switchedOff =
        behaviour_.stopAfterBlocks >= 0 && blocksMoved_ >= behaviour_.stopAfterBlocks;
    return !behaviour_.silent && !switchedOff;
}

}  // namespace kadenza::sim

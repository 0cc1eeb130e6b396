#include "sim/LegacyInstrument.h"

#include <algorithm>

#include "link/ProtocolBytes.h"
#include "translators/LegacyFrame.h"

namespace kadenza::sim {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int stopCheckMs = 50;
constexpr auto settleTime = std::chrono::milliseconds(300);
constexpr auto repeatTime = std::chrono::seconds(10);

}  // namespace

std::vector<std::uint8_t> legacyTransmission(const std::vector<std::uint8_t>& frame) {
    std::vector<std::uint8_t> transmission(frame.size() + 1, legacyStartByte);
    std::copy(frame.begin(), frame.end(), transmission.begin() + 1);
    return transmission;
}

LegacyInstrument::LegacyInstrument(PseudoTerminal& terminal, const InstrumentBehaviour& behaviour,
                                   std::vector<std::uint8_t> transmission)
    : terminal_(&terminal),
      watch_(std::in_place, terminal.devicePath()),
      silent_(behaviour.silent),
      line_(terminal.masterFd(), legacyBaud, behaviour),
      transmission_(std::move(transmission)) {}

LegacyInstrument::LegacyInstrument(int fd, const InstrumentBehaviour& behaviour,
                                   std::vector<std::uint8_t> transmission)
    : silent_(behaviour.silent),
      line_(fd, legacyBaud, behaviour),
      transmission_(std::move(transmission)),
      nextTransmission_(Clock::now()) {}

void LegacyInstrument::run(const std::atomic<bool>& stop) {
    std::uint8_t ignored[256];
    while (!stop) {
        line_.receive(ignored, sizeof ignored, stopCheckMs);
        // What a program left unread would reach the next one before the start byte.
        if (terminal_ != nullptr && !listenerPresent()) {
            terminal_->discardUnread();
        }
        if (listenerArrived() && !silent_) {
            settle(stop);
            transmit(stop);
        }
    }
}

bool LegacyInstrument::listenerArrived() {
    if (watch_) {
        return watch_->clientArrived();
    }
    if (Clock::now() < nextTransmission_) {
        return false;
    }
    nextTransmission_ = Clock::now() + repeatTime;
    return true;
}

bool LegacyInstrument::listenerPresent() {
    return !watch_ || watch_->clientPresent();
}

void LegacyInstrument::settle(const std::atomic<bool>& stop) {
    if (!watch_) {
        return;
    }
    std::uint8_t ignored[256];
    const Clock::time_point end = Clock::now() + settleTime;
    while (!stop && Clock::now() < end) {
        line_.receive(ignored, sizeof ignored, stopCheckMs);
    }
}

void LegacyInstrument::transmit(const std::atomic<bool>& stop) {
    for (std::uint8_t byte : transmission_) {
        if (stop || !listenerPresent()) {
            return;
        }
        line_.send(byte);
    }
}

}  // namespace kadenza::sim

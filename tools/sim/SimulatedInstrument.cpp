#include "sim/SimulatedInstrument.h"

#include <thread>

#include "link/ProtocolBytes.h"

namespace kadenza::sim {

namespace {

using RequestKind = InstrumentProtocol::RequestKind;

constexpr int stopCheckMs = 50;
// While babbling, the instrument looks for the program's bytes this often.
constexpr int babbleCheckMs = 1;
// The byte a babbling line carries, and the one that strays before an acknowledgement.
constexpr std::uint8_t babbleByte = 0x00;
constexpr std::uint8_t strayByte = 0x3F;
// One byte on the line: start bit, eight data bits, stop bit.
constexpr auto byteTime = std::chrono::microseconds(10 * 1000000 / instrumentBaud);

bool movesBlock(const std::vector<std::uint8_t>& reply) {
    const std::uint8_t head = reply.front();
    return head == readRequest || head == writeFrame || head == streamStart;
}

// True the first time the request is one of these, naming the block; `done` keeps the count.
bool firstOf(bool& done, const InstrumentProtocol::Request& request, bool kindMatches, int block) {
    const bool first = !done && kindMatches && request.block == block;
    done = done || first;
    return first;
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
        const int count =
            line_.receive(buffer, sizeof buffer, babbling_ ? babbleCheckMs : stopCheckMs);
        // An instrument switched off takes in nothing, written blocks included.
        for (int i = 0; i < count && answers(); ++i) {
            if (const auto request = protocol_.receive(buffer[i])) {
                take(*request, stop);
            }
        }
        if (babbling_) {
            babble();
        }
    }
}

void SimulatedInstrument::take(const Request& request, const std::atomic<bool>& stop) {
    if (babbling_ || losesFrame(request)) {
        return;
    }
    const std::vector<std::uint8_t> reply = replyTo(request);
    if (reply.empty()) {
        return;
    }
    if (answersLate(request)) {
        waitLate(stop);
    }
    if (straysBefore(request)) {
        line_.send(strayByte);
    }
    send(reply);
    if (request.kind == RequestKind::identification && behaviour_.misbehaviour.babble) {
        babbling_ = true;
        babbledUntil_ = Clock::now();
    }
}

// A refused read leaves the memory alone; the draw for a random refusal is made for every
// read reply, so the faults fall on the same replies whatever else is arranged.
std::vector<std::uint8_t> SimulatedInstrument::replyTo(const Request& request) {
    std::vector<std::uint8_t> reply = protocol_.answer(request);
    if (request.kind == RequestKind::read && !reply.empty() && reply.front() == readRequest) {
        const bool refusedAtRandom = line_.faults().refusesRead();
        if (refusedAtRandom || behaviour_.misbehaviour.refuseReads) {
            reply = {readRefusal};
        }
    }
    return reply;
}

bool SimulatedInstrument::losesFrame(const Request& request) {
    return firstOf(lostWriteDone_, request, request.kind == RequestKind::write,
                   behaviour_.misbehaviour.lostWrite);
}

bool SimulatedInstrument::answersLate(const Request& request) {
    const Misbehaviour& misbehaviour = behaviour_.misbehaviour;
    if (request.kind == RequestKind::identification) {
        return lateIdentifications_++ < misbehaviour.lateIdentifications;
    }
    if (request.kind == RequestKind::write && misbehaviour.lateAcknowledgements) {
        return true;
    }
    return firstOf(lateBlockDone_, request, true, misbehaviour.lateBlock);
}

bool SimulatedInstrument::straysBefore(const Request& request) {
    return firstOf(strayDone_, request, request.kind == RequestKind::write,
                   behaviour_.misbehaviour.strayBeforeAcknowledgement);
}

// Whatever the program sends meanwhile waits on the line, to be taken in afterwards.
void SimulatedInstrument::waitLate(const std::atomic<bool>& stop) {
    const Clock::time_point until =
        Clock::now() + std::chrono::milliseconds(behaviour_.misbehaviour.lateMs);
    while (!stop && Clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void SimulatedInstrument::send(const std::vector<std::uint8_t>& reply) {
    if (movesBlock(reply)) {
        ++blocksMoved_;
    }
    for (std::uint8_t byte : reply) {
        line_.send(byte);
    }
}

// As many bytes as the line carries in the time since the last ones; none while nobody takes
// them off the line, so the instrument never blocks on a full one.
void SimulatedInstrument::babble() {
    const Clock::time_point now = Clock::now();
    while (babbledUntil_ + byteTime <= now) {
        babbledUntil_ += byteTime;
        if (!line_.hasRoom()) {
            babbledUntil_ = now;
            return;
        }
        line_.send(babbleByte);
    }
}

bool SimulatedInstrument::answers() const {
    const bool switchedOff =
        behaviour_.stopAfterBlocks >= 0 && blocksMoved_ >= behaviour_.stopAfterBlocks;
    return !behaviour_.silent && !switchedOff;
}

}  // namespace kadenza::sim

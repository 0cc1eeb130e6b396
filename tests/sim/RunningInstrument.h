#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "sim/LegacyInstrument.h"
#include "sim/PseudoTerminal.h"
#include "sim/SimulatedInstrument.h"

namespace kadenza::test {

// A simulated instrument playing on its own pseudo-terminal in a thread of the test, from
// construction until stop() or the end of the test.
template <typename Instrument>
class Running {
  public:
    // `make` builds the instrument on the terminal.
    template <typename Make>
    explicit Running(Make make)
        : instrument_(make(terminal_)), thread_([this] { instrument_->run(stop_); }) {}
    ~Running() { stop(); }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;

    const std::string& devicePath() const { return terminal_.devicePath(); }
    int masterFd() const { return terminal_.masterFd(); }

    // Ends the instrument's thread; the instrument can then be looked at.
    Instrument& stop() {
        stop_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
        return *instrument_;
    }

  private:
    sim::PseudoTerminal terminal_;
    std::unique_ptr<Instrument> instrument_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// A current-generation model answering from `image`.
class RunningInstrument : public Running<sim::SimulatedInstrument> {
  public:
    RunningInstrument(const sim::InstrumentBehaviour& behaviour, std::vector<std::uint8_t> image)
        : Running([&](sim::PseudoTerminal& terminal) {
              return std::make_unique<sim::SimulatedInstrument>(terminal.masterFd(), behaviour,
                                                                std::move(image));
          }) {}

    // The memory the instrument ended with.
    std::vector<std::uint8_t> finalImage() { return stop().image(); }
};

// An Mx310.1 sending its transmission to every program that opens the port.
class RunningLegacyInstrument : public Running<sim::LegacyInstrument> {
  public:
    RunningLegacyInstrument(const sim::InstrumentBehaviour& behaviour,
                            std::vector<std::uint8_t> transmission)
        : Running([&](sim::PseudoTerminal& terminal) {
              return std::make_unique<sim::LegacyInstrument>(terminal, behaviour,
                                                             std::move(transmission));
          }) {}
};

}  // namespace kadenza::test

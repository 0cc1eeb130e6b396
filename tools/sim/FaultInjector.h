#pragma once

#include <cstdint>
#include <random>
#include <vector>

namespace kadenza::sim {

// How often each fault strikes, from 0 (never) to 1 (always).
struct FaultRates {
    // Per byte sent: one bit of the byte flipped, the byte left out, a random byte sent
    // before it.
    double corrupt = 0;
    double drop = 0;
    double noise = 0;
    // Per addressed read: the refusal 0xAD sent instead of the reply.
    double refuse = 0;
};

// Spoils what the instrument sends, at random but reproducibly: the same rates and seed give
// the same faults at the same bytes on every run and every platform.
class FaultInjector {
  public:
    FaultInjector(const FaultRates& rates, std::uint32_t seed);

    // The bytes that go on the line in place of `byte`.
    std::vector<std::uint8_t> spoil(std::uint8_t byte);
    // Whether the next addressed read is refused.
    bool refusesRead();

  private:
    bool strikes(double rate);

    FaultRates rates_;
    // The engine's output is fixed by the standard, unlike that of the distributions.
    std::mt19937 random_;
};

}  // namespace kadenza::sim

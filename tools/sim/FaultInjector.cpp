#include "sim/FaultInjector.h"

namespace kadenza::sim {

FaultInjector::FaultInjector(const FaultRates& rates, std::uint32_t seed)
    : rates_(rates), random_(seed) {}

std::vector<std::uint8_t> FaultInjector::spoil(std::uint8_t byte) {
    // Every byte takes the same number of draws whatever strikes, so a fault at one byte
    // does not move the faults of the bytes after it.
    const bool noisy = strikes(rates_.noise);
    const auto noiseByte = static_cast<std::uint8_t>(random_());
    const bool dropped = strikes(rates_.drop);
    const bool corrupted = strikes(rates_.corrupt);
    const auto flippedBit = static_cast<std::uint8_t>(1u << random_() % 8);

    std::vector<std::uint8_t> line;
    if (noisy) {
        line.push_back(noiseByte);
    }
    if (!dropped) {
        line.push_back(corrupted ? static_cast<std::uint8_t>(byte ^ flippedBit) : byte);
    }
    return line;
}

bool FaultInjector::refusesRead() {
    return strikes(rates_.refuse);
}

bool FaultInjector::strikes(double rate) {
    return random_() < rate * 4294967296.0;
}

}  // namespace kadenza::sim

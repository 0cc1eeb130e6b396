#include <gtest/gtest.h>

#include <bitset>

#include "LineBytes.h"
#include "sim/FaultInjector.h"

namespace kadenza::test {
namespace {

using sim::FaultInjector;
using sim::FaultRates;

// What the injector makes of the bytes 0, 1, 2, ... `count` - 1 (mod 256), one after another.
std::vector<Bytes> spoilRun(FaultInjector& faults, int count) {
    std::vector<Bytes> run;
    for (int i = 0; i < count; ++i) {
        run.push_back(faults.spoil(static_cast<std::uint8_t>(i)));
    }
    return run;
}

TEST(FaultInjectorTest, EachFaultAtFullRate) {
    FaultInjector none({}, 1);
    FaultInjector drop({0, 1, 0, 0}, 1);
    FaultInjector noise({0, 0, 1, 0}, 1);
    FaultInjector corrupt({1, 0, 0, 0}, 1);
    FaultInjector refuse({0, 0, 0, 1}, 1);
    for (int value = 0; value < 256; ++value) {
        const auto byte = static_cast<std::uint8_t>(value);
        EXPECT_EQ(none.spoil(byte), Bytes{byte});
        EXPECT_EQ(drop.spoil(byte), Bytes{});
        const Bytes noisy = noise.spoil(byte);
        ASSERT_EQ(noisy.size(), 2u);
        EXPECT_EQ(noisy[1], byte);
        const Bytes corrupted = corrupt.spoil(byte);
        ASSERT_EQ(corrupted.size(), 1u);
        EXPECT_EQ(std::bitset<8>(corrupted[0] ^ byte).count(), 1u);
        EXPECT_TRUE(refuse.refusesRead());
        EXPECT_FALSE(none.refusesRead());
    }
}

TEST(FaultInjectorTest, SameSeedSameFaults) {
    const FaultRates rates{0.1, 0.1, 0.1, 0.1};
    FaultInjector first(rates, 7);
    FaultInjector again(rates, 7);
    FaultInjector other(rates, 8);
    const std::vector<Bytes> run = spoilRun(first, 2000);
    EXPECT_EQ(spoilRun(again, 2000), run);
    EXPECT_NE(spoilRun(other, 2000), run);
}

TEST(FaultInjectorTest, StrikesAboutAsOftenAsAsked) {
    FaultInjector faults({0, 0.1, 0, 0}, 1);
    int dropped = 0;
    for (const Bytes& bytes : spoilRun(faults, 10000)) {
        dropped += bytes.empty() ? 1 : 0;
    }
    EXPECT_GT(dropped, 800);
    EXPECT_LT(dropped, 1200);
}

}  // namespace
}  // namespace kadenza::test

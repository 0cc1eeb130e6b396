#include <gtest/gtest.h>

#include <chrono>

#include "sim/LinePacer.h"

namespace kadenza::test {
namespace {

using Clock = std::chrono::steady_clock;

// At 1200 baud a byte takes 10 / 1200 s. Only lower bounds are checked: a busy machine may
// make the pacer slower, never faster.
constexpr auto legacyByteTime = std::chrono::microseconds(8333);

TEST(LinePacerTest, SendsNoFasterThanTheLine) {
    sim::LinePacer pacer(1200, true);
    const Clock::time_point start = Clock::now();
    for (int byte = 0; byte < 12; ++byte) {
        pacer.waitToSend();
    }
    EXPECT_GE(Clock::now() - start, 12 * legacyByteTime);
}

TEST(LinePacerTest, AnswersOnlyOnceTheRequestIsThrough) {
    sim::LinePacer pacer(1200, true);
    const Clock::time_point start = Clock::now();
    pacer.bookReceived(12);
    pacer.waitToSend();
    EXPECT_GE(Clock::now() - start, 13 * legacyByteTime);
}

}  // namespace
}  // namespace kadenza::test

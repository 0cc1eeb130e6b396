#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "FakeLine.h"
#include "InstrumentFrames.h"
#include "link/InstrumentTransfer.h"
#include "link/ProtocolBytes.h"
#include "link/ReplayLine.h"
#include "link/TracingLine.h"
#include "translators/TranslatorFactory.h"

namespace kadenza {
namespace {

using test::FakeLine;
using Bytes = std::vector<std::uint8_t>;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(TracingLine, WritesOneTimedLinePerCall) {
    FakeLine fake;
    fake.arrive({0xAB, FakeLine::nothing});
    fake.failSendsAfter(1);
    std::ostringstream trace;
    TracingLine line(fake, trace);

    line.purge();
    EXPECT_TRUE(line.sendByte(0x0A));
    EXPECT_EQ(line.receiveByte(), 0xAB);
    EXPECT_EQ(line.receiveByte(), -1);
    EXPECT_FALSE(line.sendByte(0xFF));
    EXPECT_EQ(fake.purges(), 1);

    const std::vector<std::string> lines = linesOf(trace.str());
    const std::vector<std::string> calls = {"purge", "> 0A", "< AB", "< --", "> FF failed"};
    ASSERT_EQ(lines.size(), calls.size());
    const std::regex timed(R"( *(\d+)\.(\d{3}) (.*))");
    long long previous = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::smatch fields;
        ASSERT_TRUE(std::regex_match(lines[i], fields, timed)) << lines[i];
        EXPECT_GE(lines[i].size(), 11 + calls[i].size()) << lines[i];
        EXPECT_EQ(fields[3], calls[i]);
        const long long micros = std::stoll(fields[1]) * 1000 + std::stoll(fields[2]);
        EXPECT_GE(micros, previous);
        previous = micros;
    }
}

TEST(ReplayLine, ReplaysATracedDownload) {
    const Bytes data(blockSize, 0xAD);
    FakeLine fake;
    fake.arrive({0x00, readRefusal, FakeLine::nothing});
    fake.arrive(test::blockFrame(readRequest, 4, data.data()));
    std::ostringstream trace;
    TracingLine tracing(fake, trace);
    const std::unique_ptr<InstrumentTranslator> traced = createTranslator(3);
    ASSERT_TRUE(InstrumentTransfer(tracing).readBlock(*traced, 4));

    std::istringstream recorded(trace.str());
    ReplayLine replay(recorded);
    const std::unique_ptr<InstrumentTranslator> replayed = createTranslator(3);
    EXPECT_TRUE(InstrumentTransfer(replay).readBlock(*replayed, 4));
    EXPECT_EQ(replay.sent(), fake.sent());
    EXPECT_TRUE(replay.playedOut());
    Bytes block(blockSize);
    replayed->copyOut(block.data(), 4 * blockSize, blockSize);
    EXPECT_EQ(block, data);
}

TEST(ReplayLine, TakesOnlyTheReceptionsOfAnAnnotatedTrace) {
    std::istringstream trace(
        "      0.100 purge\n"
        "      0.200 > AA\n"
        "the instrument was switched on late\n"
        "    201.000 < --\n"
        "    203.000 < aa\n"
        "    203.600 < A\n");
    ReplayLine line(trace);
    EXPECT_EQ(line.receiveByte(), -1);
    EXPECT_FALSE(line.playedOut());
    EXPECT_EQ(line.receiveByte(), 0xAA);
    EXPECT_TRUE(line.playedOut());
    EXPECT_EQ(line.receiveByte(), -1);
    EXPECT_TRUE(line.sendByte(0x55));
    EXPECT_EQ(line.sent(), Bytes{0x55});
}

}  // namespace
}  // namespace kadenza

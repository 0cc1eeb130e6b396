#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "language/Language.h"

#include "LineBytes.h"
#include "PtyClient.h"
#include "samples/SampleImages.h"
#include "sim/PseudoTerminal.h"
#include "support/SimulatorProcess.h"
#include "support/TempDir.h"

namespace kadenza::test {
namespace {

constexpr int exitWaitMs = 5000;

std::string asText(const Bytes& bytes) {
    return {bytes.begin(), bytes.end()};
}

TEST(SimulatorProgramTest, PlaysOnThePrintedDeviceUntilTerminated) {
    TempDir dir;
    SimulatorProcess simulator({"--model", "4", "--sample", "--save-image", dir.path("out.bin")});
    const std::string device = simulator.firstLine();
    ASSERT_EQ(device.rfind("/dev/pts/", 0), 0u) << device;
    {
        PtyClient client(device);
        const Bytes identification = client.exchange({0xAA});
        ASSERT_EQ(identification.size(), 5u);
        EXPECT_EQ((Bytes{identification[0], identification[1], identification[2]}),
                  (Bytes{0xAA, 0x04, 0x00}));
        EXPECT_TRUE(fcsChecksOut(identification));
        EXPECT_EQ(client.exchange(writeRequestLine(253, Bytes(32, 0x5A))), Bytes{0xAC});
    }
    simulator.signal(SIGTERM);
    EXPECT_EQ(simulator.waitForExit(exitWaitMs), 0);
    EXPECT_EQ(simulator.errorOutput(), "");

    std::string expected = asText(samples::sampleImage(4));
    expected.replace(253 * 32, 32, 32, '\x5A');
    EXPECT_EQ(readFile(dir.path("out.bin")), expected);
}

TEST(SimulatorProgramTest, PlaysOnANamedPort) {
    // The program's end of a pseudo-terminal stands in for a port on another computer.
    sim::PseudoTerminal cable;
    SimulatorProcess simulator({"--model", "5", "--device", cable.devicePath()});
    EXPECT_EQ(simulator.firstLine(), cable.devicePath());
    const std::uint8_t request = 0xAA;
    ASSERT_EQ(write(cable.masterFd(), &request, 1), 1);
    std::uint8_t reply[5] = {};
    pollfd waiting{cable.masterFd(), POLLIN, 0};
    std::size_t got = 0;
    while (got < sizeof reply && poll(&waiting, 1, 2000) > 0) {
        const ssize_t count = read(cable.masterFd(), reply + got, sizeof reply - got);
        got += count > 0 ? static_cast<std::size_t>(count) : 0;
    }
    EXPECT_EQ(Bytes(reply, reply + 3), (Bytes{0xAA, 0x05, 0x00}));
    simulator.signal(SIGTERM);
    EXPECT_EQ(simulator.waitForExit(exitWaitMs), 0);
}

TEST(SimulatorProgramTest, EndsAfterItsTimeOutAndSavesAPaddedImage) {
    TempDir dir;
    writeFile(dir.path("short.bin"), "\x01\x02\x03");
    SimulatorProcess simulator({"--model", "3", "--image", dir.path("short.bin"), "--timeout",
                                "0.5", "--save-image", dir.path("out.bin")});
    EXPECT_FALSE(simulator.firstLine().empty());
    EXPECT_EQ(simulator.waitForExit(exitWaitMs), 0);
    EXPECT_EQ(readFile(dir.path("out.bin")), "\x01\x02\x03" + std::string(8189, '\xFF'));
}

TEST(SimulatorProgramTest, SendsALegacyFrameFromAFile) {
    TempDir dir;
    writeFile(dir.path("frame.bin"), "header and no more");
    SimulatorProcess simulator({"--legacy", "--frame", dir.path("frame.bin")});
    PtyClient client(simulator.firstLine());
    EXPECT_EQ(asText(client.receive(19, 2000)), "Aheader and no more");
    simulator.signal(SIGINT);
    EXPECT_EQ(simulator.waitForExit(exitWaitMs), 0);
}

TEST(SimulatorProgramTest, ReportsFailuresOnOneLine) {
    TempDir dir;
    const auto failure = [](const std::vector<std::string>& args) {
        SimulatorProcess simulator(args);
        const std::string out = simulator.firstLine();
        const int status = simulator.waitForExit(exitWaitMs);
        return std::to_string(status) + " " + out + "|" + simulator.errorOutput();
    };
    EXPECT_EQ(failure({"--model", "3", "--pace", "--text-id"}),
              "1 |kadenza-sim: --text-id is only for models 1 and 2\n");
    EXPECT_EQ(failure({"--model", "3", "--image", dir.path("missing.bin")}),
              "2 |kadenza-sim: Cannot open file " + dir.path("missing.bin") + "\n");
    writeFile(dir.path("long.bin"), std::string(8193, 'x'));
    EXPECT_EQ(failure({"--model", "3", "--image", dir.path("long.bin")}),
              "2 |kadenza-sim: " + dir.path("long.bin") + " holds more than 8192 bytes\n");
    // A folder or an endless device is no image or frame, and reading it stops at once.
    EXPECT_EQ(failure({"--model", "3", "--image", dir.path("")}),
              "2 |kadenza-sim: Cannot read file " + dir.path("") + "\n");
    EXPECT_EQ(failure({"--legacy", "--frame", dir.path("")}),
              "2 |kadenza-sim: Cannot read file " + dir.path("") + "\n");
    EXPECT_EQ(failure({"--legacy", "--frame", "/dev/zero"}),
              "2 |kadenza-sim: /dev/zero holds more than 532 bytes\n");
    EXPECT_EQ(failure({"--model", "7", "--sample"}),
              "1 |kadenza-sim: no sample image for model 7\n");
    EXPECT_EQ(
        failure({"--model", "3", "--device", dir.path("missing")}),
        "2 |kadenza-sim: cannot open " + dir.path("missing") + ": No such file or directory\n");
}

TEST(SimulatorProgramTest, PrintsItsUsage) {
    SimulatorProcess simulator({"--help"});
    EXPECT_EQ(simulator.firstLine().rfind("Usage: kadenza-sim --model CODE", 0), 0u);
    EXPECT_EQ(simulator.waitForExit(exitWaitMs), 0);
    SimulatorProcess version({"--version"});
    EXPECT_EQ(version.firstLine(), "kadenza-sim " + std::string(programVersion()));
    EXPECT_EQ(version.waitForExit(exitWaitMs), 0);
}

}  // namespace
}  // namespace kadenza::test

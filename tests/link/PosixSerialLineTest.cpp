#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "link/PosixSerialLine.h"

namespace kadenza {
namespace {

using Clock = std::chrono::steady_clock;

// The instrument's end of a pseudo-terminal pair; the line under test opens the other end
// by its path.
class PseudoTerminal {
  public:
    PseudoTerminal() : master_(::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC)) {
        if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0) {
            path_ = ::ptsname(master_);
        }
    }
    ~PseudoTerminal() { close(); }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    const std::string& path() const { return path_; }
    bool write(std::uint8_t byte) { return ::write(master_, &byte, 1) == 1; }
    // The next byte the line sent, -1 when none came within two seconds.
    int read() {
        pollfd request{master_, POLLIN, 0};
        std::uint8_t byte = 0;
        if (::poll(&request, 1, 2000) != 1 || ::read(master_, &byte, 1) != 1) {
            return -1;
        }
        return byte;
    }
    void close() {
        if (master_ >= 0) {
            ::close(master_);
            master_ = -1;
        }
    }

  private:
    int master_;
    std::string path_;
};

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Reads that do not wait: ten of them take far less than one time-out each.
bool readsFailAtOnce(SerialLine& line) {
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < 10; ++i) {
        if (line.receiveByte() != -1) {
            return false;
        }
    }
    return millisecondsSince(start) < 1000;
}

class PosixSerialLineTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_FALSE(terminal.path().empty()); }

    PseudoTerminal terminal;
};

// Flow-control, line-editing and signal characters among them.
const std::vector<std::uint8_t> awkwardBytes = {0x00, 0xFF, 0x11, 0x13, 0x0D, 0x0A,
                                                0x03, 0x7F, 0x04, 0x1A, 0x80, 0x8D};

TEST_F(PosixSerialLineTest, PassesEveryByteUnchangedBothWays) {
    PosixSerialLine line(terminal.path());
    ASSERT_TRUE(line.isOpen());
    for (const std::uint8_t byte : awkwardBytes) {
        ASSERT_TRUE(terminal.write(byte));
        EXPECT_EQ(line.receiveByte(), byte);
    }
    for (const std::uint8_t byte : awkwardBytes) {
        ASSERT_TRUE(line.sendByte(byte));
        EXPECT_EQ(terminal.read(), byte);
    }
}

TEST_F(PosixSerialLineTest, EmptyReadWaitsForTheTimeOut) {
    PosixSerialLine line(terminal.path());
    const Clock::time_point start = Clock::now();
    EXPECT_EQ(line.receiveByte(), -1);
    const double waited = millisecondsSince(start);
    EXPECT_GT(waited, 100);
    EXPECT_LT(waited, 2000);
}

// Settling drops what has arrived and what goes on arriving until the line is quiet, and
// leaves a line that never falls quiet after a short while.
TEST_F(PosixSerialLineTest, SettleDropsWhatArrivesUntilTheLineIsQuiet) {
    PosixSerialLine line(terminal.path());
    for (const std::uint8_t byte : awkwardBytes) {
        ASSERT_TRUE(terminal.write(byte));
    }
    line.settle();
    ASSERT_TRUE(terminal.write(0x42));
    EXPECT_EQ(line.receiveByte(), 0x42);

    std::atomic<bool> talking{true};
    std::thread babbler([this, &talking] {
        while (talking) {
            terminal.write(0x00);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    const Clock::time_point start = Clock::now();
    line.settle();
    const double waited = millisecondsSince(start);
    talking = false;
    babbler.join();
    EXPECT_GT(waited, 100);
    EXPECT_LT(waited, 2000);
}

// The next program finds the port as it was: its line settings come back when the line is
// let go.
TEST_F(PosixSerialLineTest, PortGetsBackItsSettings) {
    const int port = ::open(terminal.path().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(port, 0);
    termios before{};
    ASSERT_EQ(::tcgetattr(port, &before), 0);
    before.c_lflag |= ECHO | ICANON;
    ::cfsetspeed(&before, B9600);
    ASSERT_EQ(::tcsetattr(port, TCSANOW, &before), 0);
    {
        PosixSerialLine line(terminal.path());
        termios during{};
        ::tcgetattr(port, &during);
        EXPECT_EQ(during.c_lflag & (ECHO | ICANON), 0u);
        EXPECT_EQ(::cfgetospeed(&during), static_cast<speed_t>(B19200));
    }
    termios after{};
    ASSERT_EQ(::tcgetattr(port, &after), 0);
    ::close(port);
    EXPECT_EQ(after.c_lflag, before.c_lflag);
    EXPECT_EQ(after.c_cflag, before.c_cflag);
    EXPECT_EQ(::cfgetospeed(&after), static_cast<speed_t>(B9600));
}

TEST_F(PosixSerialLineTest, PathThatCannotBeOpenedGivesAClosedLineAndTellsWhy) {
    const std::pair<const char*, PortProblem> refused[] = {
        {"/dev/kadenza-no-such-port", PortProblem::NotResponding},
        {"/dev/null", PortProblem::NotSerial}};
    for (const auto& [path, problem] : refused) {
        PosixSerialLine line(path);
        EXPECT_FALSE(line.isOpen()) << path;
        EXPECT_EQ(line.problem(), problem) << path;
        EXPECT_FALSE(line.sendByte(0xAA)) << path;
        EXPECT_TRUE(readsFailAtOnce(line)) << path;
    }
    // Root opens any device, so a refused permission is only seen through its error code.
    EXPECT_EQ(portProblemForOpenError(EACCES), PortProblem::NoPermission);
    EXPECT_EQ(portProblemForOpenError(EBUSY), PortProblem::InUse);
    PosixSerialLine unsupportedSpeed(terminal.path(), 9600);
    EXPECT_FALSE(unsupportedSpeed.isOpen());
    PosixSerialLine legacySpeed(terminal.path(), legacyBaud);
    EXPECT_TRUE(legacySpeed.isOpen());
}

TEST_F(PosixSerialLineTest, LineIsHeldByOneUserAtATime) {
    auto first = std::make_unique<PosixSerialLine>(terminal.path());
    ASSERT_TRUE(first->isOpen());
    EXPECT_EQ(first->problem(), PortProblem::None);
    PosixSerialLine second(terminal.path());
    EXPECT_FALSE(second.isOpen());
    EXPECT_EQ(second.problem(), PortProblem::InUse);
    first.reset();
    PosixSerialLine third(terminal.path());
    EXPECT_TRUE(third.isOpen());
}

#ifdef TIOCGEXCL
// Root ignores the exclusive flag, so the flag itself is looked at: left set on a
// pseudo-terminal, it would lock every other user out after the line closed.
TEST_F(PosixSerialLineTest, ExclusiveFlagLastsAsLongAsTheLine) {
    const int observer = ::open(terminal.path().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(observer, 0);
    int exclusive = -1;
    {
        PosixSerialLine line(terminal.path());
        ASSERT_EQ(::ioctl(observer, TIOCGEXCL, &exclusive), 0);
        EXPECT_EQ(exclusive, 1);
    }
    ASSERT_EQ(::ioctl(observer, TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 0);
    ::close(observer);
}
#endif

TEST_F(PosixSerialLineTest, VanishedDeviceFailsAtOnce) {
    PosixSerialLine line(terminal.path());
    terminal.close();
    EXPECT_EQ(line.receiveByte(), -1);
    EXPECT_TRUE(readsFailAtOnce(line));
    EXPECT_FALSE(line.sendByte(0xAA));
    EXPECT_TRUE(line.isOpen());
}

}  // namespace
}  // namespace kadenza

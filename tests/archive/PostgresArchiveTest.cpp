#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

#include "InspectionFiles.h"
#include "archive/Archive.h"
#include "archive/ArchiveError.h"
#include "support/PostgresServer.h"
#include "support/TempDir.h"

namespace kadenza::test {
namespace {

using Clock = std::chrono::steady_clock;

// How long opening the archive took to fail, and with which problem.
struct Failure {
    ArchiveProblem problem = ArchiveProblem::failed;
    double seconds = 0;
};

Failure failureOfOpening(const std::string& uri) {
    const auto start = Clock::now();
    Failure failure;
    try {
        Archive::open(uri);
        ADD_FAILURE() << "opened";
    } catch (const ArchiveError& error) {
        failure.problem = error.problem();
    }
    failure.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return failure;
}

// A TCP port on the loopback address that takes connections and never answers: a server
// that hangs.
class SilentPort {
  public:
    SilentPort() : socket_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(socket_, 4);
        getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
    }
    ~SilentPort() { close(socket_); }

    int port() const { return port_; }

  private:
    int socket_;
    int port_ = 0;
};

TEST(PostgresArchiveTest, AServerThatIsNotThereIsReportedAtOnce) {
    const TempDir noServer;
    const Failure failure =
        failureOfOpening("postgresql:///kadenza?host=" + noServer.path("") + "&user=postgres");
    EXPECT_EQ(failure.problem, ArchiveProblem::unreachable);
    EXPECT_LT(failure.seconds, 1.0);
}

TEST(PostgresArchiveTest, AServerThatNeverAnswersIsGivenUpAfterTheConnectTimeout) {
    const SilentPort silent;
    const Failure failure =
        failureOfOpening("postgresql://postgres@127.0.0.1:" + std::to_string(silent.port()) +
                         "/kadenza?connect_timeout=2");
    EXPECT_EQ(failure.problem, ArchiveProblem::unreachable);
    EXPECT_GE(failure.seconds, 1.5);
    EXPECT_LT(failure.seconds, 4.0);
}

TEST(PostgresArchiveTest, AServerThatGoesAwayLeavesNothingHalfDoneAndIsReachedAgain) {
    PostgresServer* server = sharedPostgresServer();
    if (server == nullptr) {
        GTEST_SKIP() << "PostgreSQL's programs are not installed";
    }
    const std::string uri = server->createDatabase();
    const auto archive = Archive::open(uri);
    archive->add(inspectionFile({"inspection.site=Villa"}));

    server->stop();
    try {
        archive->add(inspectionFile({"inspection.site=Mill"}));
        ADD_FAILURE() << "added";
    } catch (const ArchiveError& error) {
        EXPECT_EQ(error.problem(), ArchiveProblem::unreachable) << error.what();
    }
    server->start();

    const auto listed = Archive::open(uri)->list();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed.front().site, "Villa");
}

}  // namespace
}  // namespace kadenza::test

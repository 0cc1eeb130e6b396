#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace kadenza::test {

// A PostgreSQL server of the tests' own: a new cluster in a temporary folder, reached through
// a Unix socket in that folder and no TCP port, stopped and removed with this object. When the
// tests run as root the server runs as nobody, since PostgreSQL refuses to run as root.
class PostgresServer {
  public:
    // The folder of PostgreSQL's programs (the newest version installed), empty when there is
    // none: the tests that need a server are then skipped.
    static std::string programFolder();

    // Throws std::runtime_error, with the server's log, when it cannot be started.
    PostgresServer();
    ~PostgresServer();
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    // A role that must give its password, as a team's server asks of each technician; every
    // other role is trusted.
    static constexpr const char* passwordUser = "keeper";
    static constexpr const char* password = "Tajne-Heslo-42";

    // A new empty database, as the URI that reaches it.
    std::string createDatabase();
    // The URI of a database on this server as passwordUser, with the password given.
    std::string passwordUri(const std::string& database, const std::string& givenPassword) const;
    // The URI of a database on this server.
    std::string uri(const std::string& database) const;
    // Stops the server at once, as a crash would, and starts it again.
    void stop();
    void start();

  private:
    // Runs one of PostgreSQL's programs, as the server's user when `asOwner`; false when it
    // fails.
    bool runProgram(const std::string& program, const std::vector<std::string>& args,
                    bool asOwner) const;

    // What the programs and the server said.
    std::string logs() const;

    std::string folder_;
    std::string programs_;
    // The process that started the server: a child forked from it leaves the server alone.
    pid_t owner_;
    int databases_ = 0;
};

// The server the tests of this process share, started on first use; null when PostgreSQL is
// not installed. One server per test program keeps the tests quick: each test takes a
// database of its own instead.
PostgresServer* sharedPostgresServer();

}  // namespace kadenza::test

#include "support/PostgresServer.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>

#include "support/TempDir.h"

namespace kadenza::test {

namespace {

// The unprivileged user and group that run the server when the tests run as root.
constexpr const char* serverUser = "nobody";
constexpr const char* serverGroup = "nogroup";
constexpr uid_t unprivilegedId = 65534;

bool runsAsRoot() {
    return geteuid() == 0;
}

}  // namespace

std::string PostgresServer::programFolder() {
    const std::filesystem::path versions = "/usr/lib/postgresql";
    std::error_code error;
    std::string newest;
    int newestVersion = 0;
    for (const auto& entry : std::filesystem::directory_iterator(versions, error)) {
        const int version = std::atoi(entry.path().filename().c_str());
        if (version > newestVersion && std::filesystem::exists(entry.path() / "bin/initdb")) {
            newestVersion = version;
            newest = (entry.path() / "bin").string();
        }
    }
    return newest;
}

PostgresServer::PostgresServer() : programs_(programFolder()), owner_(getpid()) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "kadenza-postgres-XXXXXX").string();
    if (programs_.empty() || mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot prepare a PostgreSQL server");
    }
    folder_ = pattern;
    if (runsAsRoot() && chown(folder_.c_str(), unprivilegedId, unprivilegedId) != 0) {
        throw std::runtime_error("cannot give " + folder_ + " to " + serverUser);
    }
    if (!runProgram("initdb",
                    {"-D", folder_ + "/data", "-U", "postgres", "-A", "trust", "-E", "UTF8",
                     "--locale=C", "--no-sync", "--no-instructions"},
                    true)) {
        throw std::runtime_error("initdb failed: " + logs());
    }
    // The first line that matches a connection decides how it is checked.
    const std::string rules = folder_ + "/data/pg_hba.conf";
    writeFile(rules,
              std::string("local all ") + passwordUser + " scram-sha-256\n" + readFile(rules));
    start();
    if (!runProgram("psql",
                    {"-h", folder_, "-U", "postgres", "-d", "postgres", "-c",
                     std::string("CREATE ROLE ") + passwordUser + " LOGIN SUPERUSER PASSWORD '" +
                         password + "'"},
                    false)) {
        throw std::runtime_error("cannot create the role " + std::string(passwordUser) + ": " +
                                 logs());
    }
}

PostgresServer::~PostgresServer() {
    if (getpid() != owner_) {
        return;
    }
    runProgram("pg_ctl", {"-D", folder_ + "/data", "-m", "immediate", "-w", "stop"}, true);
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::string PostgresServer::createDatabase() {
    const std::string name = "test" + std::to_string(++databases_);
    if (!runProgram("createdb", {"-h", folder_, "-U", "postgres", name}, false)) {
        throw std::runtime_error("createdb failed: " + logs());
    }
    return uri(name);
}

std::string PostgresServer::uri(const std::string& database) const {
    return "postgresql:///" + database + "?host=" + folder_ + "&user=postgres";
}

std::string PostgresServer::passwordUri(const std::string& database,
                                        const std::string& givenPassword) const {
    return std::string("postgresql://") + passwordUser + ":" + givenPassword + "@/" + database +
           "?host=" + folder_;
}

void PostgresServer::stop() {
    runProgram("pg_ctl", {"-D", folder_ + "/data", "-m", "immediate", "-w", "stop"}, true);
}

void PostgresServer::start() {
    // No TCP port: only this folder's socket reaches the server.
    if (!runProgram("pg_ctl",
                    {"-D", folder_ + "/data", "-l", folder_ + "/server.log", "-w", "-o",
                     "-k " + folder_ + " -c listen_addresses=''", "start"},
                    true)) {
        throw std::runtime_error("the PostgreSQL server did not start: " + logs());
    }
}

std::string PostgresServer::logs() const {
    return readFile(folder_ + "/programs.log") + readFile(folder_ + "/server.log");
}

bool PostgresServer::runProgram(const std::string& program, const std::vector<std::string>& args,
                                bool asOwner) const {
    std::vector<std::string> command;
    if (asOwner && runsAsRoot()) {
        command = {"/usr/bin/setpriv", std::string("--reuid=") + serverUser,
                   std::string("--regid=") + serverGroup, "--clear-groups"};
    }
    command.push_back(programs_ + "/" + program);
    command.insert(command.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : command) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    const std::string log = folder_ + "/programs.log";

    const pid_t child = fork();
    if (child == 0) {
        // The programs' chatter goes to a log of its own, which a failure shows; the server
        // writes another, as its user.
        const int output = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        dup2(output, STDOUT_FILENO);
        dup2(output, STDERR_FILENO);
        // The server's own programs need a folder they may enter.
        if (chdir(folder_.c_str()) != 0) {
            _exit(127);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

PostgresServer* sharedPostgresServer() {
    static const std::unique_ptr<PostgresServer> server =
        PostgresServer::programFolder().empty() ? nullptr : std::make_unique<PostgresServer>();
    return server.get();
}

}  // namespace kadenza::test

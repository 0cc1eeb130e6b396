#include "support/SimulatorProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "support/TempDir.h"

extern char** environ;

namespace kadenza::test {

namespace {

std::string simulatorBinary() {
    const char* binDir = std::getenv("KADENZA_BIN_DIR");
    return std::string(binDir == nullptr ? "." : binDir) + "/kadenza-sim";
}

}  // namespace

SimulatorProcess::SimulatorProcess(const std::vector<std::string>& args) {
    const int stderrFd = open(dir_.path("stderr").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    int pipeFds[2];
    if (stderrFd < 0 || pipe2(pipeFds, O_CLOEXEC) != 0) {
        return;
    }
    const std::string binary = simulatorBinary();
    std::vector<char*> argv{const_cast<char*>(binary.c_str())};
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, stderrFd, STDERR_FILENO);
    if (posix_spawn(&pid_, binary.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
        pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    close(stderrFd);
    stdout_ = pipeFds[0];
}

SimulatorProcess::~SimulatorProcess() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (stdout_ >= 0) {
        close(stdout_);
    }
}

std::string SimulatorProcess::firstLine() {
    std::string line;
    char byte = 0;
    pollfd waiting{stdout_, POLLIN, 0};
    while (poll(&waiting, 1, 5000) > 0 && read(stdout_, &byte, 1) == 1 && byte != '\n') {
        line += byte;
    }
    return line;
}

void SimulatorProcess::signal(int number) {
    kill(pid_, number);
}

int SimulatorProcess::waitForExit(int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    int status = 0;
    while (waitpid(pid_, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > end) {
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string SimulatorProcess::errorOutput() const {
    return readFile(dir_.path("stderr"));
}

}  // namespace kadenza::test

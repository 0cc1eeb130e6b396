#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "support/TempDir.h"

namespace kadenza::test {

// The built kadenza-sim running as a process of its own, its stdout on a pipe and its stderr
// in a file. A process still running at the end of the test is killed.
class SimulatorProcess {
  public:
    explicit SimulatorProcess(const std::vector<std::string>& args);
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    // The first line the process writes to stdout, without its line break; empty when none
    // comes within a few seconds.
    std::string firstLine();
    void signal(int number);
    // The exit status, or -1 when the process did not end normally within `timeoutMs`.
    int waitForExit(int timeoutMs);
    std::string errorOutput() const;

  private:
    pid_t pid_ = -1;
    int stdout_ = -1;
    TempDir dir_;
};

}  // namespace kadenza::test

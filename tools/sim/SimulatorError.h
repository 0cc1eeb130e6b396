#pragma once

#include <stdexcept>
#include <string>

namespace kadenza::sim {

constexpr int exitSuccess = 0;
constexpr int exitUsage = 1;
constexpr int exitFileFailure = 2;

// A failure kadenza-sim reports as one line on stderr before it ends with the failure's code.
class SimulatorError : public std::runtime_error {
  public:
    SimulatorError(int exitCode, const std::string& message)
        : std::runtime_error(message), exitCode_(exitCode) {}

    int exitCode() const { return exitCode_; }

  private:
    int exitCode_;
};

// The command line asks for something the simulator does not offer.
class UsageError : public SimulatorError {
  public:
    explicit UsageError(const std::string& message) : SimulatorError(exitUsage, message) {}
};

// A file or a device could not be opened, read or written.
class FileError : public SimulatorError {
  public:
    explicit FileError(const std::string& message) : SimulatorError(exitFileFailure, message) {}
};

}  // namespace kadenza::sim

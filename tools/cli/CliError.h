#pragma once

#include <stdexcept>
#include <string>

namespace kadenza::cli {

constexpr int exitSuccess = 0;
constexpr int exitUsage = 1;
constexpr int exitFileFailure = 2;
constexpr int exitNotConnected = 3;
constexpr int exitTransmissionFailed = 4;
constexpr int exitInterrupted = 5;
constexpr int exitNoSettings = 6;
// evaluate: a measured value failed its limit.
constexpr int exitFailedLimit = 6;
// evaluate: nothing failed, but a detail was missing that a value needed to be judged.
constexpr int exitIncomplete = 7;
// archive: the archive's server could not be reached.
constexpr int exitArchiveUnreachable = 8;

// A failure the tool reports as one line on stderr before it ends with the failure's code.
class CliError : public std::runtime_error {
  public:
    CliError(int exitCode, const std::string& message)
        : std::runtime_error(message), exitCode_(exitCode) {}

    int exitCode() const { return exitCode_; }

  private:
    int exitCode_;
};

// The command line asks for something the tool does not offer.
class UsageError : public CliError {
  public:
    explicit UsageError(const std::string& message) : CliError(exitUsage, message) {}
};

// A file could not be opened, read as a data file, created or written.
class FileError : public CliError {
  public:
    explicit FileError(const std::string& message) : CliError(exitFileFailure, message) {}
};

// A setting read outside its range that would be written back: the input cannot be used, as
// a file that cannot be read, so it shares that exit code.
class OutOfRangeError : public CliError {
  public:
    explicit OutOfRangeError(const std::string& message) : CliError(exitFileFailure, message) {}
};

// Bytes from an instrument that do not check out.
class TransmissionError : public CliError {
  public:
    explicit TransmissionError(const std::string& message)
        : CliError(exitTransmissionFailed, message) {}
};

}  // namespace kadenza::cli

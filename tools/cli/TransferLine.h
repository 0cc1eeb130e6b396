#pragma once

#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "cli/Arguments.h"
#include "link/PosixSerialLine.h"
#include "link/TracingLine.h"

namespace kadenza::cli {

// The port a transfer command talks through (--port), with every byte written to the
// --trace file when one is given (standard output for "-").
class TransferLine {
  public:
    // Throws UsageError without --port, FileError when the trace file cannot be created.
    TransferLine(const ParsedArguments& parsed, int baud);

    SerialLine& line();
    bool isOpen() const { return port_.isOpen(); }

    // The command's exit code, or 2 when the trace could not be written whole (said on
    // stderr): the transfer may have succeeded, but its record is incomplete.
    int finish(int exitCode);

  private:
    PosixSerialLine port_;
    std::string tracePath_;
    std::ofstream traceFile_;
    std::ostream* trace_ = &std::cout;
    std::unique_ptr<TracingLine> tracing_;
};

// Options every transfer command takes besides its own.
CommandOptions transferOptions(CommandOptions own);

}  // namespace kadenza::cli

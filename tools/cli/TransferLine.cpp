#include "cli/TransferLine.h"

#include <iostream>

#include "cli/CliError.h"
#include "cli/OutputTarget.h"

namespace kadenza::cli {

TransferLine::TransferLine(const ParsedArguments& parsed, int baud)
    : port_(parsed.required("--port"), baud) {
    if (const auto trace = parsed.value("--trace")) {
        tracePath_ = *trace;
        if (*trace != standardOutput) {
            traceFile_.open(*trace);
            if (!traceFile_) {
                throw FileError("Cannot create file " + *trace);
            }
            trace_ = &traceFile_;
        }
        tracing_ = std::make_unique<TracingLine>(port_, *trace_);
    }
}

SerialLine& TransferLine::line() {
    if (tracing_) {
        return *tracing_;
    }
    return port_;
}

int TransferLine::finish(int exitCode) {
    if (!tracing_ || trace_->flush()) {
        return exitCode;
    }
    std::cerr << "kadenza-cli: Cannot write file " << tracePath_ << '\n';
    return exitCode == exitSuccess ? exitFileFailure : exitCode;
}

CommandOptions transferOptions(CommandOptions own) {
    own.valued.insert({"--port", "--trace", "--lang"});
    return own;
}

}  // namespace kadenza::cli

#include "cli/TransferLine.h"

#include "cli/CliError.h"

namespace kadenza::cli {

TransferLine::TransferLine(const ParsedArguments& parsed, int baud)
    : port_(parsed.required("--port"), baud) {
    if (const auto trace = parsed.value("--trace")) {
        traceFile_.open(*trace);
        if (!traceFile_) {
            throw FileError("Cannot create file " + *trace);
        }
        tracing_ = std::make_unique<TracingLine>(port_, traceFile_);
    }
}

SerialLine& TransferLine::line() {
    if (tracing_) {
        return *tracing_;
    }
    return port_;
}

CommandOptions transferOptions(CommandOptions own) {
    own.valued.insert({"--port", "--trace", "--lang"});
    return own;
}

}  // namespace kadenza::cli

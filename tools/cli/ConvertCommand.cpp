#include "cli/ConvertCommand.h"

#include <iostream>
#include <stdexcept>

#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/InputFile.h"
#include "cli/OutputFormat.h"
#include "cli/Usage.h"

namespace kadenza::cli {

namespace {

// All formats are known before the input is read, so a mistyped extension never leaves
// some of the outputs written.
std::vector<OutputFormat> formatsOf(const std::vector<std::string>& outputs) {
    std::vector<OutputFormat> formats;
    for (const std::string& output : outputs) {
        const auto format = formatOfPath(output);
        if (!format) {
            throw UsageError("unknown output format of " + output +
                             " (expected .tso, .xml, .html, .htm or .txt)");
        }
        formats.push_back(*format);
    }
    return formats;
}

void writeOutput(OutputFormat format, const std::string& path, const InstrumentData& data) {
    bool written = false;
    try {
        written = writeInFormat(format, path, data);
    } catch (const std::runtime_error& error) {
        throw FileError(error.what());
    }
    if (!written) {
        throw FileError("Cannot write file " + path);
    }
}

}  // namespace

int runConvert(const std::vector<std::string>& args) {
    if (asksForHelp(args)) {
        std::cout << convertUsage;
        return exitSuccess;
    }
    const ConvertArguments parsed = parseConvertArguments(args);
    const std::vector<OutputFormat> formats = formatsOf(parsed.outputs);
    const auto data = readDataFile(parsed.input);
    for (std::size_t i = 0; i < formats.size(); ++i) {
        writeOutput(formats[i], parsed.outputs[i], *data);
    }
    return exitSuccess;
}

}  // namespace kadenza::cli

#include "cli/DecodeCommand.h"

#include <iostream>

#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/ModelImage.h"
#include "cli/OutputFormat.h"
#include "cli/RawFiles.h"
#include "cli/Usage.h"
#include "translators/LegacyFrame.h"

namespace kadenza::cli {

namespace {

std::unique_ptr<InstrumentData> decodeImage(int modelCode, const std::string& path) {
    auto data = std::make_unique<InstrumentData>();
    translatorWithImage(modelCode, path)->decodeData(*data);
    return data;
}

std::unique_ptr<InstrumentData> decodeFrame(const std::string& path) {
    const FileError notAFrame(path + " is not an Mx310.1 frame: it must hold the " +
                              std::to_string(legacyFrameSize) + " bytes after the start byte");
    const auto frame = readRawFile(path, legacyFrameSize, notAFrame);
    if (frame.size() != static_cast<std::size_t>(legacyFrameSize)) {
        throw notAFrame;
    }
    if (!legacyFrameIsValid(frame.data())) {
        throw TransmissionError(path + ": the frame's checksum does not match its data");
    }
    auto data = std::make_unique<InstrumentData>();
    decodeLegacyFrame(frame.data(), *data);
    return data;
}

}  // namespace

int runDecode(const std::vector<std::string>& args) {
    if (asksForHelp(args)) {
        std::cout << decodeUsage;
        return exitSuccess;
    }
    const ParsedArguments parsed(args, {{"--legacy"}, {"--model", "--format"}});
    const bool legacy = choosesLegacy(parsed);
    const auto& files = parsed.positionals();
    if (files.empty()) {
        throw UsageError(legacy ? "missing frame file" : "missing image file");
    }
    if (files.size() == 1) {
        throw UsageError("missing output file");
    }
    const std::vector<Output> outputs =
        outputsWithFormats({files.begin() + 1, files.end()}, parsed.value("--format"));
    refuseOutputsOverInput(outputs, files.front());
    const auto data = legacy
                          ? decodeFrame(files.front())
                          : decodeImage(parseModelCode(parsed.required("--model")), files.front());
    writeOutputs(outputs, *data);
    return exitSuccess;
}

}  // namespace kadenza::cli

#include "cli/SampleCommand.h"

#include <iostream>

#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/ModelImage.h"
#include "cli/RawFiles.h"
#include "cli/Usage.h"
#include "samples/SampleImages.h"

namespace kadenza::cli {

int runSample(const std::vector<std::string>& args) {
    if (asksForHelp(args)) {
        std::cout << sampleUsage;
        return exitSuccess;
    }
    const ParsedArguments parsed(args, {{"--legacy"}, {"--model"}});
    const bool legacy = choosesLegacy(parsed);
    const auto& files = parsed.positionals();
    if (files.size() != 1) {
        throw UsageError(files.empty() ? "missing output file"
                                       : "unexpected argument '" + files[1] + "'");
    }
    writeRawFile(files.front(),
                 legacy ? samples::sampleLegacyFrame()
                        : samples::sampleImage(parseModelCode(parsed.required("--model"))));
    return exitSuccess;
}

}  // namespace kadenza::cli

#include "cli/SetupCommand.h"

#include <iostream>

#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/LanguageChoice.h"
#include "cli/ModelImage.h"
#include "cli/RawFiles.h"
#include "cli/SetupEditing.h"
#include "cli/SetupTransferCommand.h"
#include "cli/Usage.h"
#include "language/Language.h"
#include "translators/TranslatorFactory.h"

namespace kadenza::cli {

namespace {

int runSetupShow(const std::vector<std::string>& args) {
    const ParsedArguments parsed(args, {{}, {"--model", "--image", "--lang"}});
    if (!parsed.positionals().empty()) {
        throw UsageError("unexpected argument '" + parsed.positionals().front() + "'");
    }
    applyLanguage(parsed);
    const int model = parseModelCode(parsed.required("--model"));
    InstrumentSetup setup;
    translatorWithImage(model, parsed.required("--image"))->decodeSetup(setup);
    printSetup(setup);
    return setup.count() == 0 ? reportNoSettings() : exitSuccess;
}

int runSetupEncode(const std::vector<std::string>& args) {
    const ParsedArguments parsed(args,
                                 {{"--defaults"}, {"--model", "--image", "--set", "--image-out"}});
    if (!parsed.positionals().empty()) {
        throw UsageError("unexpected argument '" + parsed.positionals().front() + "'");
    }
    if (parsed.has("--defaults") == parsed.has("--image")) {
        throw UsageError("give either --image IMAGE or --defaults");
    }
    const int model = parseModelCode(parsed.required("--model"));
    const std::string output = parsed.required("--image-out");
    InstrumentSetup setup;
    if (parsed.has("--defaults")) {
        createTranslator(model)->defaultSetup(setup);
    } else {
        translatorWithImage(model, parsed.required("--image"))->decodeSetup(setup);
    }
    if (setup.count() == 0) {
        return reportNoSettings();
    }
    for (const std::string& change : parsed.values("--set")) {
        applyChange(setup, change);
    }
    // What would be refused on the way to an instrument is refused in its image too.
    checkWritable(setup);
    auto fresh = createTranslator(model);
    fresh->encodeSetup(setup);
    std::vector<std::uint8_t> image(imageSize);
    fresh->copyOut(image.data(), 0, imageSize);
    writeRawFile(output, image);
    return exitSuccess;
}

}  // namespace

int runSetup(const std::vector<std::string>& args) {
    if (asksForHelp(args)) {
        std::cout << setupUsage;
        return exitSuccess;
    }
    if (args.empty()) {
        throw UsageError("missing setup command (see kadenza-cli setup --help)");
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args.front() == "show") {
        return runSetupShow(rest);
    }
    if (args.front() == "encode") {
        return runSetupEncode(rest);
    }
    if (args.front() == "read") {
        return runSetupRead(rest);
    }
    if (args.front() == "write") {
        return runSetupWrite(rest);
    }
    if (args.front() == "defaults") {
        return runSetupDefaults(rest);
    }
    throw UsageError("unknown setup command '" + args.front() + "' (see kadenza-cli setup --help)");
}

}  // namespace kadenza::cli

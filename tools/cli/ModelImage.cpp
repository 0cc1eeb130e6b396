#include "cli/ModelImage.h"

#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/RawFiles.h"
#include "translators/TranslatorFactory.h"

namespace kadenza::cli {

int parseModelCode(const std::string& text) {
    return parseNumber(text, 1, 5, "model code");
}

bool choosesLegacy(const ParsedArguments& parsed) {
    const bool legacy = parsed.has("--legacy");
    if (legacy == parsed.has("--model")) {
        throw UsageError("give either --model CODE or --legacy");
    }
    return legacy;
}

std::unique_ptr<InstrumentTranslator> translatorWithImage(int modelCode, const std::string& path) {
    const auto bytes = readRawFile(path, imageSize,
                                   FileError(path + " is not a memory image: it is larger than " +
                                             std::to_string(imageSize) + " bytes"));
    auto translator = createTranslator(modelCode);
    translator->copyIn(bytes.data(), 0, static_cast<int>(bytes.size()));
    return translator;
}

}  // namespace kadenza::cli

#pragma once

#include <memory>
#include <string>

#include "cli/Arguments.h"
#include "translators/InstrumentTranslator.h"

namespace kadenza::cli {

// The model code of a --model value; throws UsageError for a code no model has.
int parseModelCode(const std::string& text);

// True for --legacy, false for --model CODE; throws UsageError unless exactly one is given.
bool choosesLegacy(const ParsedArguments& parsed);

// A translator of the model holding the memory image read from the file; a shorter file
// fills the start of the image and the rest stays 0xFF, as blocks never read do. Throws
// FileError when the file cannot be read or is larger than an image.
std::unique_ptr<InstrumentTranslator> translatorWithImage(int modelCode, const std::string& path);

}  // namespace kadenza::cli

#include "cli/LanguageChoice.h"

#include <cstdlib>
#include <string>

#include "cli/CliError.h"
#include "language/Language.h"

namespace kadenza::cli {

int languageOfEnvironment() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return std::string(value).rfind("cs", 0) == 0 ? czechLanguage : englishLanguage;
        }
    }
    return englishLanguage;
}

void applyLanguage(const ParsedArguments& parsed) {
    const auto language = parsed.value("--lang");
    if (!language) {
        return;
    }
    if (*language != "cs" && *language != "en") {
        throw UsageError("invalid language '" + *language + "': expected cs or en");
    }
    SetLanguage(*language == "en" ? englishLanguage : czechLanguage);
}

}  // namespace kadenza::cli

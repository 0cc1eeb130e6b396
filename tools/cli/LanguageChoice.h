#pragma once

#include "cli/Arguments.h"

namespace kadenza::cli {

// The language the environment asks for, as other programs read it: the first of LC_ALL,
// LC_MESSAGES and LANG that is set; Czech for a "cs" locale, English for any other.
int languageOfEnvironment();

// Sets the language of the --lang option (cs or en), when it was given.
void applyLanguage(const ParsedArguments& parsed);

}  // namespace kadenza::cli

#pragma once

#include <string>

#include "archive/Archive.h"

namespace kadenza::cli {

// Whether a user's text names the site (or client) as the archive window's search compares
// them: case folded, accents dropped.
bool namesText(const std::string& given, const std::string& text);

// The archived site the user's text names: the one spelled exactly so, else the first that
// folds to the same text. Throws UsageError when the archive holds no such site.
std::string siteNamed(Archive& archive, const std::string& given);

// Throws UsageError when the site has no circuit of that label (or bank number).
void expectCircuit(Archive& archive, const std::string& site, const std::string& circuit);

}  // namespace kadenza::cli

#pragma once

#include <array>

#include "language/Language.h"

namespace kadenza {

// One text per row, UTF-8, zero-terminated; a row this program does not use holds "".
using LanguageTable = std::array<const char*, languageRowCount>;

extern const LanguageTable englishTable;
extern const LanguageTable czechTable;

}  // namespace kadenza

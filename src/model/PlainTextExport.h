#pragma once

#include <string>

#include "model/InstrumentData.h"

namespace kadenza {

// Writes each bank's row text (all columns) and under it the bare values of its items, one
// a line. False when the file cannot be created or written.
bool SavePlainText(const std::string& path, const InstrumentData& data);

// The list as written into the text stream, before LF becomes CR LF.
std::string plainText(const InstrumentData& data);

}  // namespace kadenza

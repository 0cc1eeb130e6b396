#pragma once

#include <string>

#include "model/OutputFile.h"

namespace kadenza {

// Writes text as a text stream does on the system the exports were first made for: every
// LF becomes CR LF on disk (so a CR LF written becomes CR CR LF), on every OS. False when
// the file cannot be created or written; a file that was at the path is then left as it was.
bool writeTextFile(const std::string& path, const std::string& text);
// The same into a file the caller made.
bool writeTextTo(OutputFile& file, const std::string& text);

// Writes the bytes as they are, for formats that fix their own line ends (CSV, JSON).
bool writeBytesFile(const std::string& path, const std::string& bytes);
bool writeBytesTo(OutputFile& file, const std::string& bytes);

// The bytes that writeTextFile puts on disk.
std::string textStreamBytes(const std::string& text);

}  // namespace kadenza

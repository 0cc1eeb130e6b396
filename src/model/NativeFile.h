#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/InstrumentData.h"
#include "model/OutputFile.h"

namespace kadenza {

// Saves the container as a native data file with one "data" section. Throws
// std::runtime_error "Cannot create file <path>"; false when writing failed, and then the
// file that was at the path is left as it was.
bool saveNativeFile(const std::string& path, const InstrumentData& data);
// The same into a file the caller made.
bool saveNativeFileTo(OutputFile& file, const InstrumentData& data);

// The largest data file opened: a download of any instrument is a few hundred kilobytes at
// most, and everything read stays within a few times the file's size.
constexpr std::size_t nativeFileLimit = 4 * 1024 * 1024;

// The bytes of a data file, read whole within nativeFileLimit. Throws std::runtime_error
// "Cannot open file <path>", "Cannot read file <path>" or "<path> is too large for a data
// file".
std::string nativeFileBytes(const std::string& path);

// Replaces the container's contents with the file's data section. Throws std::runtime_error
// "Cannot open file <path>", "Cannot read file <path>" or, for a file larger than
// nativeFileLimit, "<path> is too large for a data file"; false, leaving the container as it
// was, when the file is not a native data file or has no data section. `missingBytes`, when
// given, receives how many bytes the file declares but does not hold (it was cut short; they
// read as zero): at least that many.
bool openNativeFile(const std::string& path, InstrumentData& data,
                    std::int64_t* missingBytes = nullptr);
// The same for a file already read into memory.
bool openNativeBytes(const std::string& bytes, InstrumentData& data,
                     std::int64_t* missingBytes = nullptr);

// What the user is told about a file cut short, in the current language.
std::string cutShortWarning(std::int64_t missingBytes);

}  // namespace kadenza

#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

namespace kadenza {

// Little-endian primitives of the native data file. Each reader starts from zero, so bytes
// missing at the end of the file read as zero.

// A four-letter code as stored: the letters in reading order, first letter in the low byte.
constexpr std::int32_t fourLetterCode(const char (&letters)[5]) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(
        static_cast<unsigned char>(letters[0]) | static_cast<unsigned char>(letters[1]) << 8 |
        static_cast<unsigned char>(letters[2]) << 16 |
        static_cast<std::uint32_t>(static_cast<unsigned char>(letters[3])) << 24));
}

void writeByte(std::ostream& stream, std::uint8_t value);
void writeInt(std::ostream& stream, std::int32_t value);
void writeDouble(std::ostream& stream, double value);
// The length word, then the bytes; an absent text is written as the length 0.
void writeText(std::ostream& stream, const std::string* text);

std::uint8_t readByte(std::istream& stream);
std::int32_t readInt(std::istream& stream);
double readDouble(std::istream& stream);
// The length word, then that many bytes; never more than the stream still holds, so a
// corrupt length cannot make it allocate beyond the file.
std::string readText(std::istream& stream);

// True when no byte is left to read: records that would start there are not created.
bool atEnd(std::istream& stream);

// How many bytes the readers above asked the stream for past its end (each read as zero),
// together with what countMissing added: a file cut short tells so.
std::int64_t missingBytes(std::istream& stream);
void countMissing(std::istream& stream, std::int64_t count);

}  // namespace kadenza

#include "model/BinaryIo.h"

#include <algorithm>
#include <cstring>
#include <istream>
#include <limits>
#include <ostream>

namespace kadenza {

namespace {

// The stream's own word for the count of missing bytes.
const int missingBytesWord = std::ios_base::xalloc();

void writeLittleEndian(std::ostream& stream, std::uint64_t value, int size) {
    char bytes[8];
    for (int i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(value >> (8 * i));
    }
    stream.write(bytes, size);
}

std::uint64_t readLittleEndian(std::istream& stream, int size) {
    unsigned char bytes[8] = {};
    stream.read(reinterpret_cast<char*>(bytes), size);
    countMissing(stream, size - stream.gcount());
    std::uint64_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | bytes[i];
    }
    return value;
}

}  // namespace

void writeByte(std::ostream& stream, std::uint8_t value) {
    writeLittleEndian(stream, value, 1);
}

void writeInt(std::ostream& stream, std::int32_t value) {
    writeLittleEndian(stream, static_cast<std::uint32_t>(value), 4);
}

void writeDouble(std::ostream& stream, double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    writeLittleEndian(stream, bits, 8);
}

void writeText(std::ostream& stream, const std::string* text) {
    if (text == nullptr) {
        writeInt(stream, 0);
        return;
    }
    writeInt(stream, static_cast<std::int32_t>(text->size()));
    stream.write(text->data(), static_cast<std::streamsize>(text->size()));
}

std::uint8_t readByte(std::istream& stream) {
    return static_cast<std::uint8_t>(readLittleEndian(stream, 1));
}

std::int32_t readInt(std::istream& stream) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(readLittleEndian(stream, 4)));
}

double readDouble(std::istream& stream) {
    const std::uint64_t bits = readLittleEndian(stream, 8);
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::string readText(std::istream& stream) {
    const std::int32_t length = readInt(stream);
    std::string text;
    // Read in slices so that the text grows only by what actually arrives.
    constexpr std::int64_t sliceSize = 64 * 1024;
    std::int64_t missing = std::max<std::int32_t>(length, 0);
    while (missing > 0 && stream) {
        const auto slice = std::min(missing, sliceSize);
        const auto oldSize = text.size();
        text.resize(oldSize + static_cast<std::size_t>(slice));
        stream.read(text.data() + oldSize, slice);
        text.resize(oldSize + static_cast<std::size_t>(stream.gcount()));
        missing -= slice;
    }
    countMissing(stream,
                 std::max<std::int32_t>(length, 0) - static_cast<std::int64_t>(text.size()));
    return text;
}

bool atEnd(std::istream& stream) {
    return !stream || stream.peek() == std::char_traits<char>::eof();
}

std::int64_t missingBytes(std::istream& stream) {
    return stream.iword(missingBytesWord);
}

// Saturates rather than overflows: a corrupt count may declare more than any file holds.
void countMissing(std::istream& stream, std::int64_t count) {
    long& missing = stream.iword(missingBytesWord);
    constexpr std::int64_t most = std::numeric_limits<long>::max();
    missing = count > most - missing ? most : missing + count;
}

}  // namespace kadenza

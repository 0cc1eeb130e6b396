#include "model/TextFile.h"

#include <ostream>
#include <stdexcept>

#include "model/OutputFile.h"

namespace kadenza {

std::string textStreamBytes(const std::string& text) {
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n') {
            bytes += '\r';
        }
        bytes += c;
    }
    return bytes;
}

bool writeTextFile(const std::string& path, const std::string& text) {
    return writeBytesFile(path, textStreamBytes(text));
}

bool writeTextTo(OutputFile& file, const std::string& text) {
    return writeBytesTo(file, textStreamBytes(text));
}

bool writeBytesFile(const std::string& path, const std::string& bytes) {
    try {
        OutputFile file(path);
        return writeBytesTo(file, bytes);
    } catch (const std::runtime_error&) {
        return false;
    }
}

bool writeBytesTo(OutputFile& file, const std::string& bytes) {
    file.stream().write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file.commit();
}

}  // namespace kadenza

#include "cli/RawFiles.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "cli/CliError.h"
#include "model/AtomicFile.h"

namespace kadenza::cli {

std::vector<std::uint8_t> readRawFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw FileError("Cannot open file " + path);
    }
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    if (in.bad()) {
        throw FileError("Cannot read file " + path);
    }
    return bytes;
}

void writeRawFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    bool written = false;
    try {
        AtomicFile file(path);
        file.stream().write(reinterpret_cast<const char*>(bytes.data()),
                            static_cast<std::streamsize>(bytes.size()));
        written = file.commit();
    } catch (const std::runtime_error& error) {
        throw FileError(error.what());
    }
    if (!written) {
        throw FileError("Cannot write file " + path);
    }
}

}  // namespace kadenza::cli

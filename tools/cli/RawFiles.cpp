#include "cli/RawFiles.h"

#include <stdexcept>

#include "cli/OutputTarget.h"
#include "model/FileBytes.h"

namespace kadenza::cli {

std::vector<std::uint8_t> readRawFile(const std::string& path, std::size_t limit,
                                      const FileError& tooLarge) {
    try {
        return fileBytesWithin(path, limit, tooLarge.what());
    } catch (const std::runtime_error& error) {
        throw FileError(error.what());
    }
}

void writeRawFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    bool written = false;
    try {
        const std::unique_ptr<OutputFile> file = openOutput(path);
        file->stream().write(reinterpret_cast<const char*>(bytes.data()),
                             static_cast<std::streamsize>(bytes.size()));
        written = file->commit();
    } catch (const std::runtime_error& error) {
        throw FileError(error.what());
    }
    if (!written) {
        throw FileError("Cannot write file " + path);
    }
}

}  // namespace kadenza::cli

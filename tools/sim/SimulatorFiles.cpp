#include "sim/SimulatorFiles.h"

#include <algorithm>
#include <stdexcept>

#include "model/FileBytes.h"
#include "model/OutputFile.h"
#include "samples/SampleImages.h"
#include "sim/SimulatorError.h"
#include "translators/InstrumentTranslator.h"
#include "translators/LegacyFrame.h"

namespace kadenza::sim {

namespace {

// The setup area of every model that has one: the last four blocks.
constexpr int setupAreaStart = imageSize - 4 * blockSize;

// At most `limit` bytes: no more than one byte past it is read.
std::vector<std::uint8_t> readFile(const std::string& path, std::size_t limit) {
    try {
        return fileBytesWithin(path, limit,
                               path + " holds more than " + std::to_string(limit) + " bytes");
    } catch (const std::runtime_error& error) {
        throw FileError(error.what());
    }
}

}  // namespace

std::vector<std::uint8_t> instrumentImage(const SimulatorOptions& options) {
    std::vector<std::uint8_t> image;
    if (!options.imageFile.empty()) {
        image = readFile(options.imageFile, imageSize);
    } else if (options.sample) {
        image = samples::sampleImage(options.behaviour.modelCode);
        if (image.empty()) {
            throw UsageError("no sample image for model " +
                             std::to_string(options.behaviour.modelCode));
        }
    }
    image.resize(imageSize, 0xFF);
    if (options.eraseSetup) {
        std::fill(image.begin() + setupAreaStart, image.end(), 0xFF);
    }
    return image;
}

std::vector<std::uint8_t> legacyFrame(const SimulatorOptions& options) {
    if (!options.frameFile.empty()) {
        return readFile(options.frameFile, legacyFrameSize);
    }
    return samples::sampleLegacyFrame();
}

void saveImage(const std::string& path, const std::vector<std::uint8_t>& image) {
    bool written = false;
    try {
        OutputFile file(path);
        file.stream().write(reinterpret_cast<const char*>(image.data()),
                            static_cast<std::streamsize>(image.size()));
        written = file.commit();
    } catch (const std::runtime_error& error) {
        throw FileError(error.what());
    }
    if (!written) {
        throw FileError("Cannot write file " + path);
    }
}

}  // namespace kadenza::sim

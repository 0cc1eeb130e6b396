#include "sim/SimulatorFiles.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "samples/SampleImages.h"
#include "sim/SimulatorError.h"
#include "translators/InstrumentTranslator.h"

namespace kadenza::sim {

namespace {

// The setup area of every model that has one: the last four blocks.
constexpr int setupAreaStart = imageSize - 4 * blockSize;

std::vector<std::uint8_t> readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw FileError("Cannot open file " + path);
    }
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file),
                                    std::istreambuf_iterator<char>()};
    if (file.bad()) {
        throw FileError("Cannot read file " + path);
    }
    return bytes;
}

}  // namespace

std::vector<std::uint8_t> instrumentImage(const SimulatorOptions& options) {
    std::vector<std::uint8_t> image;
    if (!options.imageFile.empty()) {
        image = readFile(options.imageFile);
        if (image.size() > static_cast<std::size_t>(imageSize)) {
            throw FileError(options.imageFile + " holds more than " + std::to_string(imageSize) +
                            " bytes");
        }
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
        return readFile(options.frameFile);
    }
    return samples::sampleLegacyFrame();
}

void saveImage(const std::string& path, const std::vector<std::uint8_t>& image) {
    std::ofstream file(path, std::ios::binary);
    if (!file) {
        throw FileError("Cannot create file " + path);
    }
    file.write(reinterpret_cast<const char*>(image.data()),
               static_cast<std::streamsize>(image.size()));
    file.close();
    if (!file) {
        throw FileError("Cannot write file " + path);
    }
}

}  // namespace kadenza::sim

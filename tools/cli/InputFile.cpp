#include "cli/InputFile.h"

#include <iostream>
#include <stdexcept>

#include "cli/CliError.h"
#include "inspection/InspectionFile.h"
#include "model/NativeFile.h"

namespace kadenza::cli {

namespace {

// Opens the file with `open`, which reads the data and what else it is asked for.
template <typename Open>
std::unique_ptr<InstrumentData> readWith(const std::string& path, Open open) {
    auto data = std::make_unique<InstrumentData>();
    bool isDataFile = false;
    std::int64_t missingBytes = 0;
    try {
        isDataFile = open(*data, &missingBytes);
    } catch (const std::runtime_error& error) {
        throw FileError(error.what());
    }
    if (!isDataFile) {
        throw FileError(path + " is not a Kadenza data file");
    }
    if (missingBytes > 0) {
        std::cerr << "kadenza-cli: " << path << ": " << cutShortWarning(missingBytes) << '\n';
    }
    return data;
}

}  // namespace

std::unique_ptr<InstrumentData> readDataFile(const std::string& path) {
    return readWith(path, [&path](InstrumentData& data, std::int64_t* missingBytes) {
        return openNativeFile(path, data, missingBytes);
    });
}

InspectionInput readInspectionFile(const std::string& path) {
    InspectionInput input;
    input.data = readWith(path, [&](InstrumentData& data, std::int64_t* missingBytes) {
        return openInspectionFile(path, data, input.details, missingBytes);
    });
    return input;
}

}  // namespace kadenza::cli

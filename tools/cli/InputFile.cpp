#include "cli/InputFile.h"

#include <iostream>
#include <stdexcept>

#include "cli/CliError.h"
#include "model/NativeFile.h"

namespace kadenza::cli {

std::unique_ptr<InstrumentData> readDataFile(const std::string& path) {
    auto data = std::make_unique<InstrumentData>();
    bool isDataFile = false;
    std::int64_t missingBytes = 0;
    try {
        isDataFile = openNativeFile(path, *data, &missingBytes);
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

}  // namespace kadenza::cli

#include "cli/InputFile.h"

#include <iostream>
#include <stdexcept>

#include "cli/CliError.h"
#include "inspection/InspectionFile.h"
#include "model/NativeFile.h"

namespace kadenza::cli {

InspectionInput readInspectionFile(const std::string& path) {
    InspectionInput input;
    input.data = std::make_unique<InstrumentData>();
    bool isDataFile = false;
    std::int64_t missingBytes = 0;
    try {
        isDataFile = openInspectionFile(path, *input.data, input.details, &missingBytes);
    } catch (const std::runtime_error& error) {
        throw FileError(error.what());
    }
    if (!isDataFile) {
        throw FileError(path + " is not a Kadenza data file");
    }
    if (missingBytes > 0) {
        std::cerr << "kadenza-cli: " << path << ": " << cutShortWarning(missingBytes) << '\n';
    }
    return input;
}

}  // namespace kadenza::cli

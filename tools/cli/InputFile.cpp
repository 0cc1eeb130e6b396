#include "cli/InputFile.h"

#include <iostream>
#include <stdexcept>

#include "cli/CliError.h"
#include "model/NativeFile.h"

namespace kadenza::cli {

namespace {

std::string fileBytes(const std::string& path) {
    try {
        return nativeFileBytes(path);
    } catch (const std::runtime_error& error) {
        throw FileError(error.what());
    }
}

}  // namespace

InspectionInput readInspectionFile(const std::string& path, bool warnOfDamagedDetails) {
    return readInspectionBytes(fileBytes(path), path, warnOfDamagedDetails);
}

InspectionInput readInspectionBytes(const std::string& bytes, const std::string& path,
                                    bool warnOfDamagedDetails) {
    InspectionInput input;
    input.data = std::make_unique<InstrumentData>();
    std::int64_t missingBytes = 0;
    if (!openNativeBytes(bytes, *input.data, &missingBytes)) {
        throw FileError(path + " is not a Kadenza data file");
    }
    try {
        input.details = detailsOfFile(bytes, &missingBytes);
    } catch (const std::runtime_error& error) {
        input.detailsProblem = error.what();
    }
    input.otherSections = otherSectionsOf(bytes);
    if (missingBytes > 0) {
        std::cerr << "kadenza-cli: " << path << ": " << cutShortWarning(missingBytes) << '\n';
    }
    if (warnOfDamagedDetails && !input.detailsProblem.empty()) {
        std::cerr << "kadenza-cli: " << path << ": " << input.detailsProblem
                  << "; they are left out\n";
    }
    return input;
}

}  // namespace kadenza::cli

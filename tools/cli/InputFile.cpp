#include "cli/InputFile.h"

#include <stdexcept>

#include "cli/CliError.h"
#include "model/NativeFile.h"

namespace kadenza::cli {

std::unique_ptr<InstrumentData> readDataFile(const std::string& path) {
    auto data = std::make_unique<InstrumentData>();
    bool isDataFile = false;
    try {
        isDataFile = openNativeFile(path, *data);
    } catch (const std::runtime_error& error) {
        throw FileError(error.what());
    }
    if (!isDataFile) {
        throw FileError(path + " is not a Kadenza data file");
    }
    return data;
}

}  // namespace kadenza::cli

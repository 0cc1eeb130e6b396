#include "model/NativeFile.h"

#include <sstream>
#include <stdexcept>

#include "language/Language.h"
#include "model/BinaryIo.h"
#include "model/FileBytes.h"
#include "model/FileReader.h"
#include "model/FileWriter.h"

namespace kadenza {

namespace {

constexpr std::int32_t dataCode = fourLetterCode("data");

bool loadFrom(FileReader& reader, InstrumentData& data, std::int64_t* missingBytes) {
    if (!reader.findSection(dataCode)) {
        return false;
    }
    data.clear();
    data.load(reader.stream());
    if (missingBytes) {
        *missingBytes = kadenza::missingBytes(reader.stream());
    }
    return true;
}

}  // namespace

std::string nativeFileBytes(const std::string& path) {
    const std::vector<std::uint8_t> bytes =
        fileBytesWithin(path, nativeFileLimit,
                        path + " is too large for a data file: it holds more than " +
                            std::to_string(nativeFileLimit / (1024 * 1024)) + " MiB");
    return {bytes.begin(), bytes.end()};
}

bool saveNativeFile(const std::string& path, const InstrumentData& data) {
    OutputFile file(path);
    return saveNativeFileTo(file, data);
}

bool saveNativeFileTo(OutputFile& file, const InstrumentData& data) {
    FileWriter writer(file, dataCode);
    writer.beginSection(dataCode);
    data.save(writer.stream());
    return writer.close();
}

// The whole file is read first, within the limit, so that no count in it can make the
// reader take more than the file holds.
bool openNativeFile(const std::string& path, InstrumentData& data, std::int64_t* missingBytes) {
    return openNativeBytes(nativeFileBytes(path), data, missingBytes);
}

bool openNativeBytes(const std::string& bytes, InstrumentData& data, std::int64_t* missingBytes) {
    FileReader reader(bytes);
    return loadFrom(reader, data, missingBytes);
}

std::string cutShortWarning(std::int64_t missingBytes) {
    constexpr int cutShortRow = 263;
    std::string text = RowText(cutShortRow);
    const std::size_t mark = text.find("%s");
    return mark == std::string::npos ? text : text.replace(mark, 2, std::to_string(missingBytes));
}

}  // namespace kadenza

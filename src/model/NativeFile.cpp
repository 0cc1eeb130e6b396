#include "model/NativeFile.h"

#include <sstream>

#include "model/BinaryIo.h"
#include "model/FileReader.h"
#include "model/FileWriter.h"

namespace kadenza {

namespace {

constexpr std::int32_t dataCode = fourLetterCode("data");

bool loadFrom(FileReader& reader, InstrumentData& data) {
    if (!reader.findSection(dataCode)) {
        return false;
    }
    data.clear();
    data.load(reader.stream());
    return true;
}

}  // namespace

bool saveNativeFile(const std::string& path, const InstrumentData& data) {
    FileWriter writer(path, dataCode);
    writer.beginSection(dataCode);
    data.save(writer.stream());
    return writer.close();
}

bool openNativeFile(const std::string& path, InstrumentData& data) {
    FileReader reader(path);
    return loadFrom(reader, data);
}

bool openNativeBytes(const std::string& bytes, InstrumentData& data) {
    FileReader reader(std::make_unique<std::istringstream>(bytes));
    return loadFrom(reader, data);
}

}  // namespace kadenza

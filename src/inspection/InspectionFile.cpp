#include "inspection/InspectionFile.h"

#include <memory>
#include <sstream>
#include <stdexcept>

#include "model/BinaryIo.h"
#include "model/FileReader.h"
#include "model/FileWriter.h"
#include "model/NativeFile.h"
#include "model/OutputFile.h"

namespace kadenza {

namespace {

constexpr std::int32_t dataCode = fourLetterCode("data");
constexpr std::int32_t detailsCode = fourLetterCode("insp");

}  // namespace

bool saveInspectionFile(const std::string& path, const InstrumentData& data,
                        const DetailsDocument& details) {
    OutputFile file(path);
    return saveInspectionFileTo(file, data, details);
}

bool saveInspectionFileTo(OutputFile& file, const InstrumentData& data,
                          const DetailsDocument& details) {
    if (details.empty()) {
        return saveNativeFileTo(file, data);
    }
    FileWriter writer(file, dataCode);
    writer.beginSection(dataCode);
    data.save(writer.stream());
    writer.beginSection(detailsCode);
    const std::string text = details.toJson();
    writeText(writer.stream(), &text);
    return writer.close();
}

DetailsDocument detailsOfFile(const std::string& bytes, std::int64_t* missing) {
    FileReader reader(std::make_unique<std::istringstream>(bytes));
    if (!reader.findSection(detailsCode)) {
        return {};
    }
    const std::string text = readText(reader.stream());
    // Details cut short are no document: they are left out, and the bytes they lack told.
    if (const std::int64_t lacking = missingBytes(reader.stream()); lacking > 0) {
        if (missing != nullptr) {
            *missing += lacking;
        }
        return {};
    }
    return DetailsDocument::fromJson(text);
}

bool openInspectionFile(const std::string& path, InstrumentData& data, DetailsDocument& details,
                        std::int64_t* missingBytes) {
    const std::string bytes = nativeFileBytes(path);
    if (!openNativeBytes(bytes, data, missingBytes)) {
        return false;
    }
    details = DetailsDocument();
    try {
        details = detailsOfFile(bytes, missingBytes);
    } catch (const std::runtime_error& error) {
        throw std::runtime_error(path + ": " + error.what());
    }
    return true;
}

}  // namespace kadenza

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
                        const DetailsDocument& details,
                        const std::vector<FileSection>& otherSections) {
    OutputFile file(path);
    return saveInspectionFileTo(file, data, details, otherSections);
}

bool saveInspectionFileTo(OutputFile& file, const InstrumentData& data,
                          const DetailsDocument& details,
                          const std::vector<FileSection>& otherSections) {
    if (details.empty() && otherSections.empty()) {
        return saveNativeFileTo(file, data);
    }
    FileWriter writer(file, dataCode);
    writer.beginSection(dataCode);
    data.save(writer.stream());
    if (!details.empty()) {
        writer.beginSection(detailsCode);
        const std::string text = details.toJson();
        writeText(writer.stream(), &text);
    }
    for (const FileSection& section : otherSections) {
        if (writer.beginSection(section.typeCode)) {
            writer.stream() << section.bytes;
        }
    }
    // A file no reader opens is worse than the change not made.
    if (writer.stream().tellp() > static_cast<std::streamoff>(nativeFileLimit)) {
        throw std::runtime_error("the file would be larger than the " +
                                 std::to_string(nativeFileLimit / (1024 * 1024)) +
                                 " MiB a data file may hold");
    }
    return writer.close();
}

std::vector<FileSection> otherSectionsOf(const std::string& bytes) {
    FileReader reader(bytes);
    const std::vector<FileReader::SectionPlace> places = reader.sectionPlaces();
    std::vector<FileSection> sections;
    for (const FileReader::SectionPlace& place : places) {
        if (place.typeCode == dataCode || place.typeCode == detailsCode || place.offset < 0 ||
            static_cast<std::size_t>(place.offset) > bytes.size()) {
            continue;
        }
        std::size_t end = bytes.size();
        for (const FileReader::SectionPlace& other : places) {
            const auto start = static_cast<std::size_t>(other.offset);
            if (other.offset > place.offset && start < end) {
                end = start;
            }
        }
        sections.push_back({place.typeCode, bytes.substr(place.offset, end - place.offset)});
    }
    return sections;
}

DetailsDocument detailsOfFile(const std::string& bytes, std::int64_t* missing) {
    FileReader reader(bytes);
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

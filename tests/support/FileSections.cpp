#include "support/FileSections.h"

#include <sstream>

#include "model/BinaryIo.h"
#include "model/FileWriter.h"

namespace kadenza::test {

namespace {

std::string intBytes(std::int32_t value) {
    std::ostringstream out;
    writeInt(out, value);
    return out.str();
}

std::int32_t intAt(const std::string& bytes, std::size_t at) {
    std::istringstream in(bytes.substr(at, 4));
    return readInt(in);
}

}  // namespace

std::string withSection(const std::string& file, const char (&typeCode)[5],
                        const std::string& body) {
    std::string bytes = file;
    for (int slot = 0; slot < nativeSectionSlots; ++slot) {
        const std::size_t type = 4 * (2 + 2 * static_cast<std::size_t>(slot));
        if (intAt(bytes, type) == 0) {
            bytes.replace(type, 4, intBytes(fourLetterCode(typeCode)));
            bytes.replace(type + 4, 4, intBytes(static_cast<std::int32_t>(bytes.size())));
            return bytes + body;
        }
    }
    return bytes;
}

std::string withDetailsText(const std::string& file, const std::string& json) {
    std::ostringstream body;
    writeText(body, &json);
    return withSection(file, "insp", body.str());
}

}  // namespace kadenza::test

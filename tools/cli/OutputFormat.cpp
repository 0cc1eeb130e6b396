#include "cli/OutputFormat.h"

#include <cctype>
#include <filesystem>

#include "model/HtmlExport.h"
#include "model/NativeFile.h"
#include "model/PlainTextExport.h"
#include "model/XmlExport.h"

namespace kadenza::cli {

namespace {

std::string lowerCaseExtension(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    for (char& c : extension) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return extension;
}

}  // namespace

std::optional<OutputFormat> formatOfPath(const std::string& path) {
    const std::string extension = lowerCaseExtension(path);
    if (extension == ".tso") {
        return OutputFormat::native;
    }
    if (extension == ".xml") {
        return OutputFormat::xml;
    }
    if (extension == ".html" || extension == ".htm") {
        return OutputFormat::html;
    }
    if (extension == ".txt") {
        return OutputFormat::plainText;
    }
    return std::nullopt;
}

bool writeInFormat(OutputFormat format, const std::string& path, const InstrumentData& data) {
    switch (format) {
        case OutputFormat::native:
            return saveNativeFile(path, data);
        case OutputFormat::xml:
            return exportXml(path, data);
        case OutputFormat::html:
            return SaveHtml(path, data);
        case OutputFormat::plainText:
            return SavePlainText(path, data);
    }
    return false;
}

}  // namespace kadenza::cli

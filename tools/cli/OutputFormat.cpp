#include "cli/OutputFormat.h"

#include <cctype>
#include <filesystem>
#include <stdexcept>

#include "cli/CliError.h"
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

// The native and XML writers throw when the file cannot be created; every writer returns
// false when it could not write everything.
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

void writeOutput(const std::string& path, const InstrumentData& data) {
    bool written = false;
    try {
        written = writeInFormat(*formatOfPath(path), path, data);
    } catch (const std::runtime_error& error) {
        throw FileError(error.what());
    }
    if (!written) {
        throw FileError("Cannot write file " + path);
    }
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

void checkOutputFormats(const std::vector<std::string>& outputs) {
    for (const std::string& output : outputs) {
        if (!formatOfPath(output)) {
            throw UsageError("unknown output format of " + output +
                             " (expected .tso, .xml, .html, .htm or .txt)");
        }
    }
}

void writeOutputs(const std::vector<std::string>& outputs, const InstrumentData& data) {
    checkOutputFormats(outputs);
    for (const std::string& output : outputs) {
        writeOutput(output, data);
    }
}

}  // namespace kadenza::cli

#include "cli/OutputFormat.h"

#include <cctype>
#include <filesystem>
#include <memory>
#include <stdexcept>

#include "cli/CliError.h"
#include "cli/OutputTarget.h"
#include "model/HtmlExport.h"
#include "model/NativeFile.h"
#include "model/OutputFile.h"
#include "model/PlainTextExport.h"
#include "model/TextFile.h"
#include "model/XmlExport.h"

namespace kadenza::cli {

namespace {

std::string lowerCase(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

std::optional<OutputFormat> formatOfExtension(const std::string& extension) {
    const std::string lower = lowerCase(extension);
    if (lower == ".tso") {
        return OutputFormat::native;
    }
    if (lower == ".xml") {
        return OutputFormat::xml;
    }
    if (lower == ".html" || lower == ".htm") {
        return OutputFormat::html;
    }
    if (lower == ".txt") {
        return OutputFormat::plainText;
    }
    return std::nullopt;
}

bool writeInFormat(OutputFormat format, OutputFile& file, const InstrumentData& data) {
    switch (format) {
        case OutputFormat::native:
            return saveNativeFileTo(file, data);
        case OutputFormat::xml:
            return exportXmlTo(file, data);
        case OutputFormat::html:
            return writeTextTo(file, htmlText(data));
        case OutputFormat::plainText:
            return writeTextTo(file, plainText(data));
    }
    return false;
}

void writeOutput(const Output& output, const InstrumentData& data) {
    bool written = false;
    try {
        const std::unique_ptr<OutputFile> file = openOutput(output.path);
        written = writeInFormat(output.format, *file, data);
    } catch (const std::runtime_error& error) {
        throw FileError(error.what());
    }
    if (!written) {
        throw FileError("Cannot write file " + output.path);
    }
}

// The format that the path's extension names, in any case; none for another extension.
std::optional<OutputFormat> formatOfPath(const std::string& path) {
    return formatOfExtension(std::filesystem::path(path).extension().string());
}

}  // namespace

std::vector<Output> outputsWithFormats(const std::vector<std::string>& paths,
                                       const std::optional<std::string>& format) {
    const std::optional<OutputFormat> given =
        format ? formatOfExtension("." + *format) : std::nullopt;
    if (format && !given) {
        throw UsageError("invalid format '" + *format + "': expected tso, xml, html or txt");
    }
    std::vector<Output> outputs;
    for (const std::string& path : paths) {
        const std::optional<OutputFormat> named =
            path == standardOutput ? std::nullopt : formatOfPath(path);
        if (!named && !given) {
            throw UsageError("unknown output format of " + path +
                             " (expected .tso, .xml, .html, .htm or .txt, or --format)");
        }
        outputs.push_back({path, named ? *named : *given});
    }
    return outputs;
}

void writeOutputs(const std::vector<Output>& outputs, const InstrumentData& data) {
    for (const Output& output : outputs) {
        writeOutput(output, data);
    }
}

}  // namespace kadenza::cli

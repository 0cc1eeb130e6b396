#include "cli/OutputFormat.h"

#include <cctype>
#include <filesystem>
#include <memory>
#include <stdexcept>

#include "cli/CliError.h"
#include "cli/OutputTarget.h"
#include "inspection/CsvExport.h"
#include "inspection/InspectionFile.h"
#include "inspection/JsonExport.h"
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
    if (lower == ".csv") {
        return OutputFormat::csv;
    }
    if (lower == ".json") {
        return OutputFormat::json;
    }
    return std::nullopt;
}

// The pieces of a data file besides its data.
struct Extras {
    const DetailsDocument& details;
    const std::vector<FileSection>& otherSections;
};

bool writeInFormat(OutputFormat format, OutputFile& file, const InstrumentData& data,
                   const Extras& extras) {
    const DetailsDocument& details = extras.details;
    switch (format) {
        case OutputFormat::native:
            return saveInspectionFileTo(file, data, details, extras.otherSections);
        case OutputFormat::xml:
            return exportXmlTo(file, data);
        case OutputFormat::html:
            return writeTextTo(file, htmlText(data));
        case OutputFormat::plainText:
            return writeTextTo(file, plainText(data));
        case OutputFormat::csv:
            return writeBytesTo(file, csvText(data, details));
        case OutputFormat::json:
            writeContainerJson(file.stream(), data, details);
            return file.commit();
    }
    return false;
}

void writeOutput(const Output& output, const InstrumentData& data, const Extras& extras) {
    bool written = false;
    try {
        const std::unique_ptr<OutputFile> file = openOutput(output.path);
        written = writeInFormat(output.format, *file, data, extras);
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
        throw UsageError("invalid format '" + *format +
                         "': expected tso, xml, html, txt, csv or json");
    }
    std::vector<Output> outputs;
    for (const std::string& path : paths) {
        const std::optional<OutputFormat> named =
            path == standardOutput ? std::nullopt : formatOfPath(path);
        if (!named && !given) {
            throw UsageError("unknown output format of " + path +
                             " (expected .tso, .xml, .html, .htm, .txt, .csv or .json, or "
                             "--format)");
        }
        outputs.push_back({path, named ? *named : *given});
    }
    return outputs;
}

void writeOutputs(const std::vector<Output>& outputs, const InstrumentData& data,
                  const DetailsDocument& details, const std::vector<FileSection>& otherSections) {
    for (const Output& output : outputs) {
        writeOutput(output, data, {details, otherSections});
    }
}

void refuseOutputsOverInput(const std::vector<Output>& outputs, const std::string& input) {
    for (const Output& output : outputs) {
        refuseOutputOverInput(output.path, input);
    }
}

}  // namespace kadenza::cli

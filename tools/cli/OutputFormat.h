#pragma once

#include <optional>
#include <string>
#include <vector>

#include "inspection/DetailsDocument.h"
#include "inspection/InspectionFile.h"
#include "model/InstrumentData.h"

namespace kadenza::cli {

enum class OutputFormat { native, xml, html, plainText, csv, json };

// An output named on the command line and the format it is written in.
struct Output {
    std::string path;
    OutputFormat format;
};

// Each output with its format: the one its extension names, or the one `format` names
// ("tso", "xml", "html", "txt", "csv", "json", from --format) for standard output and for a path
// whose extension names none. Throws UsageError for an output left without a format, so that a
// mistyped extension is found before any output is written.
std::vector<Output> outputsWithFormats(const std::vector<std::string>& paths,
                                       const std::optional<std::string>& format);

// Writes the container to every output in order ("-" is standard output); the first that
// fails throws FileError. A data file keeps the details and the other programs' sections;
// CSV and JSON judge the items by the details.
void writeOutputs(const std::vector<Output>& outputs, const InstrumentData& data,
                  const DetailsDocument& details = {},
                  const std::vector<FileSection>& otherSections = {});

// Throws UsageError when an output names the input file (refuseOutputOverInput).
void refuseOutputsOverInput(const std::vector<Output>& outputs, const std::string& input);

}  // namespace kadenza::cli

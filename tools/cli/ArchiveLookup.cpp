#include "cli/ArchiveLookup.h"

#include <algorithm>
#include <optional>

#include "archive/SearchText.h"
#include "cli/CliError.h"

namespace kadenza::cli {

bool namesText(const std::string& given, const std::string& text) {
    return searchText(given) == searchText(text);
}

std::string siteNamed(Archive& archive, const std::string& given) {
    std::optional<std::string> folded;
    for (const InspectionSummary& installation : archive.installations()) {
        if (installation.site == given) {
            return given;
        }
        if (!folded && namesText(given, installation.site)) {
            folded = installation.site;
        }
    }
    if (!folded) {
        throw UsageError("no site '" + given + "' in the archive");
    }
    return *folded;
}

void expectCircuit(Archive& archive, const std::string& site, const std::string& circuit) {
    const auto circuits = archive.circuits(site);
    if (std::none_of(circuits.begin(), circuits.end(),
                     [&](const CircuitQuantities& known) { return known.circuit == circuit; })) {
        throw UsageError("no circuit '" + circuit + "' at site '" + site + "'");
    }
}

}  // namespace kadenza::cli

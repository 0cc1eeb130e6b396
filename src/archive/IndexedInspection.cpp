#include "archive/IndexedInspection.h"

#include <cmath>
#include <stdexcept>
#include <unordered_map>

#include "archive/ArchiveError.h"
#include "inspection/Evaluation.h"
#include "inspection/InspectionFile.h"
#include "inspection/RevisionPeriods.h"
#include "inspection/ScriptText.h"
#include "model/NativeFile.h"

namespace kadenza {

namespace {

// PostgreSQL's text holds no NUL, so both engines keep a text up to its first one.
std::string indexText(const std::string& text) {
    return text.substr(0, text.find('\0'));
}

DetailsDocument readableDetails(const std::string& fileBytes) {
    try {
        return detailsOfFile(fileBytes);
    } catch (const std::runtime_error& error) {
        throw ArchiveError(ArchiveProblem::refused, error.what());
    }
}

// Each bank's circuit: its label, or its number where it has none.
std::unordered_map<const InstrumentBank*, std::string> circuitsOf(const Evaluation& evaluation) {
    std::unordered_map<const InstrumentBank*, std::string> circuits;
    for (const BankEvaluation& bank : evaluation.banks) {
        const std::string& label = bank.details.label;
        circuits[bank.bank] =
            indexText(label.empty() ? std::to_string(bank.bank->number()) : label);
    }
    return circuits;
}

IndexedItem indexedItem(int index, const ItemEvaluation& judged, const std::string& circuit) {
    const InstrumentItem& item = *judged.item;
    IndexedItem indexed;
    indexed.index = index;
    indexed.circuit = circuit;
    indexed.symbol = indexText(plainScriptText(item.symbolText()));
    indexed.value = item.value();
    indexed.over = item.isOver();
    indexed.unit = indexText(plainScriptText(item.unitText()));
    indexed.verdict = verdictName(judged.verdict.kind);
    if (judged.verdict.limit) {
        indexed.limitMin = judged.verdict.limit->min;
        indexed.limitMax = judged.verdict.limit->max;
    }
    return indexed;
}

}  // namespace

IndexedInspection indexInspection(const std::string& fileBytes) {
    InstrumentData data;
    if (!openNativeBytes(fileBytes, data)) {
        throw ArchiveError(ArchiveProblem::refused, "it is not a Kadenza data file");
    }
    const DetailsDocument details = readableDetails(fileBytes);
    const InspectionDetails inspection = details.inspection();
    if (inspection.site.empty()) {
        throw ArchiveError(ArchiveProblem::refused,
                           "it names no site (set inspection.site with kadenza-cli details)");
    }
    const Evaluation evaluation = evaluate(data, details);
    IndexedInspection indexed;
    indexed.site = indexText(inspection.site);
    indexed.client = indexText(inspection.client);
    indexed.operatorName = indexText(inspection.operatorName);
    indexed.inspector = indexText(inspection.inspector);
    indexed.date = indexText(inspection.date);
    if (const auto next = nextRevision(inspection)) {
        indexed.nextDate = next->date;
    }
    indexed.overall = overallName(evaluation.counts.overall());
    const auto circuits = circuitsOf(evaluation);
    for (std::size_t i = 0; i < evaluation.items.size(); ++i) {
        const ItemEvaluation& judged = evaluation.items[i];
        if (!isNumberingItem(*judged.item) && std::isfinite(judged.item->value())) {
            indexed.items.push_back(
                indexedItem(static_cast<int>(i), judged, circuits.at(judged.bank)));
        }
    }
    return indexed;
}

}  // namespace kadenza

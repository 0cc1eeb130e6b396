#include "inspection/ReportCompleteness.h"

#include "inspection/CalibrationCheck.h"
#include "inspection/Checklist.h"
#include "inspection/Conclusion.h"
#include "inspection/RevisionPeriods.h"
#include "inspection/Verdict.h"
#include "language/FilledText.h"
#include "language/FirstLetter.h"
#include "language/Language.h"

namespace kadenza {

namespace {

using Items = std::vector<MissingItem>;

constexpr int instrumentsRow = 400;
constexpr int ofInstrumentRow = 532;
constexpr int ofDefectRow = 533;
constexpr int descriptionRow = 534;
constexpr int checkResultRow = 535;
constexpr int conclusionStandingRow = 536;
constexpr int defectForCheckRow = 537;
constexpr int instrumentModelRow = 540;
constexpr int conclusionRow = 414;
constexpr int conclusionTextRow = 427;
constexpr int nextRevisionRow = 415;

std::string filled(int row, const std::vector<std::string>& values) {
    return filledText(RowText(row), values);
}

// A label of the tables as a list names it: "rozsah revize".
std::string label(int row) {
    return withLowerFirstLetter(RowText(row));
}

void need(Items& missing, const std::string& value, const std::string& key,
          const std::string& words) {
    if (value.empty()) {
        missing.push_back({key, words});
    }
}

void needRevision(Items& missing, const InspectionDetails& inspection) {
    const std::tuple<const std::string*, const char*, int> required[] = {
        {&inspection.operatorName, "operator", 390},
        {&inspection.site, "site", 281},
        {&inspection.scope, "scope", 391},
        {&inspection.inspector, "inspector", 283},
        {&inspection.licence, "licence", 284},
        {&inspection.kind, "kind", 388},
        {&inspection.date, "date", 396},
        {&inspection.endDate, "endDate", 397},
        {&inspection.reportDate, "reportDate", 398},
        {&inspection.handoverDate, "handoverDate", 399},
        {&inspection.documents, "documents", 395},
    };
    for (const auto& [value, name, row] : required) {
        need(missing, *value, std::string("inspection.") + name, label(row));
    }
    if (inspection.kind == "extraordinary") {
        need(missing, inspection.reason, "inspection.reason", label(389));
    }
}

// An instrument's model and serial number and a calibration that held: the instrument of the
// download where no instrument is given.
void needInstruments(Items& missing, const DetailsDocument& details,
                     const InspectionDetails& inspection) {
    const std::vector<InstrumentDetails> instruments = details.instruments();
    if (instruments.empty()) {
        missing.push_back({"instrument.1.model", label(instrumentsRow)});
        return;
    }
    for (const InstrumentDetails& instrument : instruments) {
        const std::string number = std::to_string(instrument.number);
        const std::tuple<const std::string*, const char*, int> required[] = {
            {&instrument.model, "model", instrumentModelRow},
            {&instrument.serial, "serial", 288},
            {&instrument.calibrationSheet, "calibrationSheet", 401},
            {&instrument.calibrationDate, "calibrationDate", 402},
        };
        for (const auto& [value, name, row] : required) {
            need(missing, *value, "instrument." + number + "." + name,
                 filled(ofInstrumentRow, {label(row), number}));
        }
        const std::string fault = calibrationFault(instrument, inspection);
        if (!fault.empty()) {
            missing.push_back({"instrument." + number + ".calibrationDate", fault});
        }
    }
}

void needChecks(Items& missing, const InstrumentData& data, const DetailsDocument& details,
                const InspectionDetails& inspection) {
    const bool required = effectiveProfile(data, inspection) != applianceProfile;
    const bool defectsListed = !details.defects().empty();
    for (const CheckItem& item : checklist()) {
        const std::string key = std::string("check.") + item.name;
        const std::string result = details.check(item.name);
        if (required) {
            need(missing, result, key, filled(checkResultRow, {RowText(item.row)}));
        }
        if (result == checkDefect && !defectsListed) {
            missing.push_back({key, filled(defectForCheckRow, {RowText(item.row)})});
        }
    }
}

// A defect is numbered in the report by its place among the defects, whatever its key. One that
// endangers safety is to be repaired before the installation is used at all; the others by a
// date.
void needDefects(Items& missing, const DetailsDocument& details) {
    int place = 0;
    for (const DefectDetails& defect : details.defects()) {
        const std::string prefix = "defect." + std::to_string(defect.number) + ".";
        const std::string number = std::to_string(++place);
        const auto words = [&](int row) { return filled(ofDefectRow, {label(row), number}); };
        need(missing, defect.text, prefix + "text", words(descriptionRow));
        need(missing, defect.defectClass, prefix + "class", words(411));
        need(missing, defect.provision, prefix + "provision", words(410));
        if (defect.defectClass != dangerDefect) {
            need(missing, defect.deadline, prefix + "deadline", words(412));
        }
    }
}

void needConclusion(Items& missing, const InstrumentData& data, const DetailsDocument& details,
                    const InspectionDetails& inspection) {
    need(missing, inspection.conclusion, "inspection.conclusion", label(conclusionRow));
    if (inspection.conclusion == unsafeConclusion) {
        need(missing, inspection.conclusionText, "inspection.conclusionText",
             label(conclusionTextRow));
    }
    if (inspection.conclusion == safeConclusion) {
        const std::string against = reasonAgainstSafe(data, details);
        if (!against.empty()) {
            missing.push_back({"inspection.conclusion", filled(conclusionStandingRow, {against})});
        }
    }
    if (!nextRevision(inspection)) {
        missing.push_back({"inspection.nextDate or inspection.environment or inspection.location",
                           label(nextRevisionRow)});
    }
}

}  // namespace

Items missingReportItems(const InstrumentData& data, const DetailsDocument& details) {
    const InspectionDetails inspection = details.inspection();
    Items missing;
    needRevision(missing, inspection);
    needInstruments(missing, details, inspection);
    needChecks(missing, data, details, inspection);
    needDefects(missing, details);
    needConclusion(missing, data, details, inspection);
    return missing;
}

}  // namespace kadenza

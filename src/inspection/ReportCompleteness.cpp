#include "inspection/ReportCompleteness.h"

#include "inspection/Checklist.h"
#include "inspection/Conclusion.h"
#include "inspection/RevisionPeriods.h"
#include "inspection/Verdict.h"

namespace kadenza {

namespace {

using Items = std::vector<std::string>;

void need(Items& missing, const std::string& value, const std::string& name) {
    if (value.empty()) {
        missing.push_back(name);
    }
}

void needRevision(Items& missing, const InspectionDetails& inspection) {
    const std::pair<const std::string*, const char*> required[] = {
        {&inspection.operatorName, "operator"},
        {&inspection.site, "site"},
        {&inspection.scope, "scope"},
        {&inspection.inspector, "inspector"},
        {&inspection.licence, "licence"},
        {&inspection.kind, "kind"},
        {&inspection.date, "date"},
        {&inspection.endDate, "endDate"},
        {&inspection.reportDate, "reportDate"},
        {&inspection.handoverDate, "handoverDate"},
        {&inspection.documents, "documents"},
    };
    for (const auto& [value, name] : required) {
        need(missing, *value, std::string("inspection.") + name);
    }
    if (inspection.kind == "extraordinary") {
        need(missing, inspection.reason, "inspection.reason");
    }
}

// An instrument's model and serial number and its calibration: the instrument of the download
// where no instrument is given.
void needInstruments(Items& missing, const DetailsDocument& details) {
    const std::vector<InstrumentDetails> instruments = details.instruments();
    if (instruments.empty()) {
        missing.push_back("instrument.1.model");
        return;
    }
    for (const InstrumentDetails& instrument : instruments) {
        const std::string prefix = "instrument." + std::to_string(instrument.number) + ".";
        need(missing, instrument.model, prefix + "model");
        need(missing, instrument.serial, prefix + "serial");
        need(missing, instrument.calibrationSheet, prefix + "calibrationSheet");
        need(missing, instrument.calibrationDate, prefix + "calibrationDate");
    }
}

// A defect that endangers safety is to be repaired before the installation is used at all; the
// others by a date.
void needDefects(Items& missing, const DetailsDocument& details) {
    for (const DefectDetails& defect : details.defects()) {
        const std::string prefix = "defect." + std::to_string(defect.number) + ".";
        need(missing, defect.text, prefix + "text");
        need(missing, defect.defectClass, prefix + "class");
        need(missing, defect.provision, prefix + "provision");
        if (defect.defectClass != dangerDefect) {
            need(missing, defect.deadline, prefix + "deadline");
        }
    }
}

void needConclusion(Items& missing, const InstrumentData& data, const DetailsDocument& details,
                    const InspectionDetails& inspection) {
    need(missing, inspection.conclusion, "inspection.conclusion");
    if (inspection.conclusion == unsafeConclusion) {
        need(missing, inspection.conclusionText, "inspection.conclusionText");
    }
    if (inspection.conclusion == safeConclusion) {
        const std::string against = reasonAgainstSafe(data, details);
        if (!against.empty()) {
            missing.push_back("inspection.conclusion (safe cannot stand: " + against + ")");
        }
    }
    if (!nextRevision(inspection)) {
        missing.push_back("inspection.nextDate (or inspection.environment or inspection.location)");
    }
}

}  // namespace

Items missingReportItems(const InstrumentData& data, const DetailsDocument& details) {
    const InspectionDetails inspection = details.inspection();
    Items missing;
    needRevision(missing, inspection);
    needInstruments(missing, details);
    if (effectiveProfile(data, inspection) != applianceProfile) {
        for (const CheckItem& item : checklist()) {
            need(missing, details.check(item.name), std::string("check.") + item.name);
        }
    }
    needDefects(missing, details);
    needConclusion(missing, data, details, inspection);
    return missing;
}

}  // namespace kadenza

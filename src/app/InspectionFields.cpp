#include "app/InspectionFields.h"

#include <map>

namespace kadenza {

namespace {

constexpr int automaticRow = 309;

}  // namespace

const std::vector<DetailField>& revisionFields() {
    static const std::vector<DetailField> fields = {
        {"kind",
         388,
         Editor::choice,
         {"", {"initial", 377}, {"periodic", 378}, {"extraordinary", 379}}},
        {"reason", 389},
        {"number", 387},
        {"date", 396},
        {"endDate", 397},
        {"reportDate", 398},
        {"handoverDate", 399},
        {"nextDate", 415},
        {"inspector", 283},
        {"licence", 284},
        {"profile",
         289,
         Editor::choice,
         {{"", automaticRow},
          {"installation-2016", 306},
          {"installation-2006", 307},
          {"installation-2001", 331},
          {"appliance", 308}}},
        {"touchVoltageLimit", 290, Editor::choice, {"50", "25"}, "V"},
        {"loopFactor", 291, Editor::choice, {"1", "0.8", "2/3"}},
        {"remarks", 292, Editor::text},
        {"distribution", 419, Editor::text},
    };
    return fields;
}

const std::vector<DetailField>& installationFields() {
    static const std::vector<DetailField> fields = {
        {"operator", 390},
        {"client", 280},
        {"site", 281},
        {"object", 282},
        {"scope", 391, Editor::text},
        {"supply", 392},
        {"protection", 393},
        {"influences", 394},
        {"documents", 395, Editor::text},
        {"environment", 428, Editor::environments},
        {"location", 429, Editor::locations},
    };
    return fields;
}

QString inspectionValue(const InspectionDetails& inspection, const std::string& key) {
    static const std::map<std::string, std::string InspectionDetails::*> texts = {
        {"client", &InspectionDetails::client},
        {"site", &InspectionDetails::site},
        {"object", &InspectionDetails::object},
        {"inspector", &InspectionDetails::inspector},
        {"licence", &InspectionDetails::licence},
        {"date", &InspectionDetails::date},
        {"nextDate", &InspectionDetails::nextDate},
        {"profile", &InspectionDetails::profile},
        {"loopFactor", &InspectionDetails::loopFactor},
        {"remarks", &InspectionDetails::remarks},
        {"distribution", &InspectionDetails::distribution},
        {"kind", &InspectionDetails::kind},
        {"reason", &InspectionDetails::reason},
        {"number", &InspectionDetails::number},
        {"operator", &InspectionDetails::operatorName},
        {"endDate", &InspectionDetails::endDate},
        {"reportDate", &InspectionDetails::reportDate},
        {"handoverDate", &InspectionDetails::handoverDate},
        {"scope", &InspectionDetails::scope},
        {"supply", &InspectionDetails::supply},
        {"protection", &InspectionDetails::protection},
        {"influences", &InspectionDetails::influences},
        {"documents", &InspectionDetails::documents},
        {"environment", &InspectionDetails::environment},
        {"location", &InspectionDetails::location},
    };
    if (key == "touchVoltageLimit") {
        return inspection.touchVoltageLimit ? QString::number(*inspection.touchVoltageLimit)
                                            : QString();
    }
    return QString::fromStdString(inspection.*texts.at(key));
}

}  // namespace kadenza

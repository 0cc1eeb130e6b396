#pragma once

#include <optional>
#include <string>

namespace kadenza {

// The profiles an inspection is judged by: an installation by the 2016 or the 2006 edition of
// IEC 60364-6 (the same insulation table), one built under the older IEC 60364-6-61:2001, or
// appliances. No profile chosen: `appliance` for a container that holds appliance quantities,
// `installation-2016` otherwise.
constexpr const char* installation2016Profile = "installation-2016";
constexpr const char* installation2006Profile = "installation-2006";
constexpr const char* installation2001Profile = "installation-2001";
constexpr const char* applianceProfile = "appliance";

// Who inspected what, when, with which instrument and by which rules, and what the revision
// found. An empty text or an absent number is a detail nobody gave.
struct InspectionDetails {
    std::string client;
    std::string site;
    std::string object;
    std::string inspector;
    std::string licence;
    // ISO dates, 2026-12-07: the revision's start, its end, the report written and handed
    // over, and the next revision when the technician sets it.
    std::string date;
    std::string nextDate;
    std::string model;
    std::string serial;
    // One of the profiles above, or empty.
    std::string profile;
    // U_L in volts: 50, or 25 in special locations; 50 when absent.
    std::optional<double> touchVoltageLimit;
    // The correction of loop impedances measured cold: "1" (the default), "0.8" or "2/3".
    std::string loopFactor;
    std::string remarks;
    // "initial", "periodic" or "extraordinary", and the reason of an extraordinary one.
    std::string kind;
    std::string reason;
    // The report's number.
    std::string number;
    // Who runs the installation, with an address; may differ from the client.
    std::string operatorName;
    std::string endDate;
    std::string reportDate;
    std::string handoverDate;
    std::string scope;
    // The supply system: "3/N/PE AC 400/230 V 50 Hz TN-C-S".
    std::string supply;
    // The protective measures against electric shock.
    std::string protection;
    std::string influences;
    std::string documents;
    // Keys of the period tables, several separated by commas: "damp,dust", "school".
    std::string environment;
    std::string location;
    // "safe" or "unsafe", and the reasons.
    std::string conclusion;
    std::string conclusionText;
    // Who gets a copy of the report, one recipient a line; the operator and the inspector
    // when none is given.
    std::string distribution;
};

// A bank's circuit, or the appliance an Mx340 bank holds.
struct BankDetails {
    std::string label;
    // The protective device: the characteristic B, C or D and the rated current, "B16".
    std::string device;
    // The RCD's rated residual current in milliamperes, its type ("AC", "A", "F" or "B") and
    // whether it is selective (S).
    std::optional<double> rcdCurrent;
    std::string rcdType;
    std::optional<bool> rcdSelective;
    // "TN" (or "TN-C", "TN-S", "TN-C-S"), "TT" or "IT".
    std::string earthing;
    // The circuit's nominal voltage: volts ("230" when empty, "400", "690"), or "SELV" or
    // "PELV".
    std::string nominalVoltage;
    // The largest protective-conductor resistance allowed, in ohms.
    std::optional<double> peLimit;
    // "I", "II" or "III".
    std::string applianceClass;
    // The appliance's cord, in metres.
    std::optional<double> cordLength;
    std::string remarks;
};

// A measuring instrument the revision used, numbered from 1.
struct InstrumentDetails {
    int number = 0;
    std::string model;
    std::string serial;
    std::string calibrationSheet;
    std::string calibrationDate;
    // How long a calibration holds, in months; 12 when absent.
    std::optional<int> calibrationInterval;
};

constexpr int defaultCalibrationMonths = 12;

// The classes of a defect: one that endangers safety (the installation may not be put into
// operation), one potentially dangerous, an improvement recommended, one to investigate.
constexpr const char* dangerDefect = "danger";
constexpr const char* potentialDefect = "potential";
constexpr const char* improvementDefect = "improvement";
constexpr const char* investigateDefect = "investigate";

// A defect the revision found, numbered throughout the report from 1.
struct DefectDetails {
    int number = 0;
    std::string text;
    // One of the classes above.
    std::string defectClass;
    // The provision it breaks: "ČSN 33 2000-4-41, čl. 411.3.1.2".
    std::string provision;
    // The date by which it is to be repaired.
    std::string deadline;
    // The bank (circuit) it was found in.
    std::optional<int> bank;
};

// The results a check of the visual inspection or the functional tests takes.
constexpr const char* checkPassed = "ok";
constexpr const char* checkDefect = "defect";
constexpr const char* checkNotApplicable = "na";

// The conclusions a revision reaches.
constexpr const char* safeConclusion = "safe";
constexpr const char* unsafeConclusion = "unsafe";

}  // namespace kadenza

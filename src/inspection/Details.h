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

// Who inspected what, when, with which instrument and by which rules. An empty text or an
// absent number is a detail nobody gave.
struct InspectionDetails {
    std::string client;
    std::string site;
    std::string object;
    std::string inspector;
    std::string licence;
    // ISO dates, 2026-12-07.
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
    // "TN", "TT" or "IT".
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

}  // namespace kadenza

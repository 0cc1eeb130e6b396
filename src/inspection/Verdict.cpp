#include "inspection/Verdict.h"

#include <algorithm>

#include "inspection/ApplianceRules.h"
#include "inspection/InstallationRules.h"
#include "inspection/RcdRules.h"
#include "inspection/Rule.h"
#include "language/Language.h"
#include "model/InstrumentData.h"

namespace kadenza {

namespace {

// The rule that judges each quantity under an installation and under an appliance profile.
// A quantity not listed, or without a rule under the profile, is never judged: voltages,
// frequency, I_K, length, temperature, speed, power, power factor, numbering rows.
struct QuantityRules {
    int quantity;
    Rule installation;
    Rule appliance;
};

constexpr QuantityRules ruleTable[] = {
    {3, loopImpedance, nullptr},                             // Z_S
    {4, touchVoltage, nullptr},                              // U_IΔN
    {5, rcdCurrent, nullptr},                                // I_Δ
    {6, rcdTime, nullptr},                                   // t_A
    {7, protectiveConductor, applianceProtectiveConductor},  // R_PE
    {11, rcdTimeFiveTimes, nullptr},                         // t_A 5X
    {15, installationInsulation, applianceInsulation},       // R_ISO
    {18, nullptr, appliancePeCurrent},                       // I_PE
    {19, nullptr, applianceTouchCurrent},                    // I_F
    {20, nullptr, applianceSubstituteLeakage},               // I_D
    {21, nullptr, applianceDifferentialLeakage},             // I_Δ(340)
    {25, touchVoltage, nullptr},                             // ΔU
    {31, earthResistance, nullptr},                          // R_A
};

// Each rule's name and the standard its limit comes from, in English and in Czech (where the
// standards carry their Czech numbers). An underscore sets what follows it lower in the report.
struct RuleSource {
    const char* rule;
    const char* english;
    const char* czech;
};

constexpr RuleSource ruleSources[] = {
    {"insulation-2016", "IEC 60364-6:2016, 6.4.3.3, Table 6.1 (ČSN 33 2000-6 ed. 2)",
     "ČSN 33 2000-6 ed. 2 (IEC 60364-6:2016), čl. 6.4.3.3, tabulka 6.1"},
    {"insulation-2006", "IEC 60364-6:2006, 61.3.3, Table 6A (ČSN 33 2000-6 ed. 1)",
     "ČSN 33 2000-6:2007 (IEC 60364-6:2006), čl. 61.3.3, tabulka 6A"},
    {"insulation-2001", "IEC 60364-6-61:2001, 612.3, Table 61A (ČSN 33 2000-6-61)",
     "ČSN 33 2000-6-61:2003 (IEC 60364-6-61:2001), čl. 612.3, tabulka 61A"},
    {"rcd-time", "IEC 61008-1 / IEC 61009-1, tripping time at I_Δn, general RCD",
     "ČSN EN 61008-1 / ČSN EN 61009-1, doba vypnutí při I_Δn, chránič bez zpoždění"},
    {"rcd-time-selective", "IEC 61008-1 / IEC 61009-1, tripping time at I_Δn, selective RCD",
     "ČSN EN 61008-1 / ČSN EN 61009-1, doba vypnutí při I_Δn, selektivní chránič"},
    {"rcd-time-5x", "IEC 61008-1 / IEC 61009-1, tripping time at 5 × I_Δn, general RCD",
     "ČSN EN 61008-1 / ČSN EN 61009-1, doba vypnutí při 5 × I_Δn, chránič bez zpoždění"},
    {"rcd-time-5x-selective", "IEC 61008-1 / IEC 61009-1, tripping time at 5 × I_Δn, selective RCD",
     "ČSN EN 61008-1 / ČSN EN 61009-1, doba vypnutí při 5 × I_Δn, selektivní chránič"},
    {"rcd-time-any",
     "IEC 61008-1 / IEC 61009-1, tripping time at I_Δn, general and selective RCD alike",
     "ČSN EN 61008-1 / ČSN EN 61009-1, doba vypnutí při I_Δn, chránič bez zpoždění i "
     "selektivní"},
    {"rcd-time-5x-any",
     "IEC 61008-1 / IEC 61009-1, tripping time at 5 × I_Δn, general and selective RCD alike",
     "ČSN EN 61008-1 / ČSN EN 61009-1, doba vypnutí při 5 × I_Δn, chránič bez zpoždění i "
     "selektivní"},
    {"rcd-current", "IEC 61008-1 / IEC 61009-1 / IEC 62423, residual operating current",
     "ČSN EN 61008-1 / ČSN EN 61009-1 / ČSN EN 62423, vybavovací rozdílový proud"},
    {"touch-voltage", "IEC 60364-4-41 / IEC 60364-6, conventional touch voltage limit U_L",
     "ČSN 33 2000-4-41 / ČSN 33 2000-6, dovolené dotykové napětí U_L"},
    {"earth-resistance-tt", "IEC 60364-4-41, 411.5.3, TT system: R_A × I_Δn ≤ U_L",
     "ČSN 33 2000-4-41, čl. 411.5.3, soustava TT: R_A × I_Δn ≤ U_L"},
    {"loop-impedance", "IEC 60364-4-41, 411.4.4, TN system: Z_S ≤ U_0 / I_a (0.4 s)",
     "ČSN 33 2000-4-41, čl. 411.4.4, soustava TN: Z_S ≤ U_0 / I_a (0,4 s)"},
    {"loop-impedance-rcd",
     "IEC 60364-4-41, 411.4.5, TN system, fault protection by an RCD: Z_S ≤ U_0 / I_Δn",
     "ČSN 33 2000-4-41, čl. 411.4.5, soustava TN, ochrana proudovým chráničem: "
     "Z_S ≤ U_0 / I_Δn"},
    {"protective-conductor",
     "IEC 60364-6, continuity of protective conductors; IEC 61557-4, measuring current ≥ 0.2 A",
     "ČSN 33 2000-6, spojitost ochranných vodičů; ČSN EN 61557-4, měřicí proud ≥ 0,2 A"},
    {"appliance-protective-conductor", "EN 50678 / VDE 0701-0702, protective conductor",
     "ČSN EN 50678, odpor ochranného vodiče"},
    {"appliance-insulation", "EN 50678 / VDE 0701-0702, insulation resistance",
     "ČSN EN 50678, izolační odpor"},
    {"appliance-pe-current", "EN 50678 / VDE 0701-0702, protective conductor current",
     "ČSN EN 50678, proud ochranným vodičem"},
    {"appliance-touch-current", "EN 50678 / VDE 0701-0702, touch current",
     "ČSN EN 50678, dotykový proud"},
    {"appliance-substitute-leakage", "EN 50678 / VDE 0701-0702, substitute leakage current",
     "ČSN EN 50678, náhradní unikající proud"},
    {"appliance-differential-leakage", "EN 50678 / VDE 0701-0702, differential leakage current",
     "ČSN EN 50678, rozdílový proud"},
};

struct NamedRow {
    const char* name;
    int row;
};

constexpr NamedRow remarkRows[] = {
    {"reduced-test-voltage", 326}, {"low-test-voltage", 327}, {"low-measuring-current", 328},
    {"open-conductor", 329},       {"rcd-disconnects", 330},
};

// Quantities only an appliance tester records: I_N, P, S, n, I_PE, I_F, I_D, I_Δ(340),
// U_ISO, cos φ and the instrument's record number.
constexpr int applianceQuantities[] = {12, 13, 14, 17, 18, 19, 20, 21, 22, 23, 30};

bool isApplianceQuantity(int quantity) {
    return std::find(std::begin(applianceQuantities), std::end(applianceQuantities), quantity) !=
           std::end(applianceQuantities);
}

bool holdsApplianceQuantities(const InstrumentData& data) {
    for (int b = 0; b < data.count(); ++b) {
        const InstrumentBank& bank = *data.bank(b);
        for (int i = 0; i < bank.count(); ++i) {
            if (isApplianceQuantity(bank.item(i)->symbol())) {
                return true;
            }
        }
    }
    return false;
}

bool isInstallationProfile(const std::string& profile) {
    return profile == installation2016Profile || profile == installation2006Profile ||
           profile == installation2001Profile;
}

Rule ruleFor(int quantity, const std::string& profile) {
    for (const QuantityRules& rules : ruleTable) {
        if (rules.quantity == quantity) {
            if (profile == applianceProfile) {
                return rules.appliance;
            }
            return isInstallationProfile(profile) ? rules.installation : nullptr;
        }
    }
    return nullptr;
}

constexpr int passRow = 276;
constexpr int failRow = 277;
constexpr int notJudgedRow = 278;
constexpr int missingDetailRow = 322;
constexpr int incompleteRow = 323;

}  // namespace

std::string shownLimit(const Verdict& verdict) {
    return verdict.limit ? limitText(*verdict.limit) : std::string();
}

const char* verdictName(VerdictKind kind) {
    switch (kind) {
        case VerdictKind::pass:
            return "pass";
        case VerdictKind::fail:
            return "fail";
        case VerdictKind::none:
            break;
    }
    return "none";
}

std::string verdictWord(VerdictKind kind) {
    switch (kind) {
        case VerdictKind::pass:
            return RowText(passRow);
        case VerdictKind::fail:
            return RowText(failRow);
        case VerdictKind::none:
            break;
    }
    return RowText(notJudgedRow);
}

std::string missingDetailWord() {
    return RowText(missingDetailRow);
}

std::string verdictWord(const Verdict& verdict) {
    return verdict.lacksDetail() ? missingDetailWord() : verdictWord(verdict.kind);
}

std::string remarkText(const std::string& remark) {
    for (const NamedRow& entry : remarkRows) {
        if (remark == entry.name) {
            return RowText(entry.row);
        }
    }
    return remark;
}

std::string ruleSource(const std::string& rule) {
    for (const RuleSource& entry : ruleSources) {
        if (rule == entry.rule) {
            return TextTable::language() == czechLanguage ? entry.czech : entry.english;
        }
    }
    return {};
}

std::string effectiveProfile(const InstrumentData& data, const InspectionDetails& inspection) {
    if (isInstallationProfile(inspection.profile) || inspection.profile == applianceProfile) {
        return inspection.profile;
    }
    return holdsApplianceQuantities(data) ? applianceProfile : installation2016Profile;
}

Verdict judge(const InstrumentItem& item, const std::string& profile,
              const InspectionDetails& inspection, const BankDetails& bank) {
    const Rule rule = ruleFor(item.symbol(), profile);
    if (!rule) {
        return {};
    }
    return rule({item, profile, inspection, bank});
}

const char* overallName(Overall overall) {
    switch (overall) {
        case Overall::pass:
            return "pass";
        case Overall::fail:
            return "fail";
        case Overall::incomplete:
            return "incomplete";
        case Overall::none:
            break;
    }
    return "none";
}

std::string overallWord(Overall overall) {
    switch (overall) {
        case Overall::pass:
            return RowText(passRow);
        case Overall::fail:
            return RowText(failRow);
        case Overall::incomplete:
            return RowText(incompleteRow);
        case Overall::none:
            break;
    }
    return RowText(notJudgedRow);
}

void VerdictCounts::add(const Verdict& verdict) {
    switch (verdict.kind) {
        case VerdictKind::pass:
            ++pass;
            return;
        case VerdictKind::fail:
            ++fail;
            return;
        case VerdictKind::none:
            break;
    }
    if (!verdict.lacksDetail()) {
        ++none;
        return;
    }
    ++missing;
    if (std::find(missingDetails.begin(), missingDetails.end(), verdict.missing) ==
        missingDetails.end()) {
        missingDetails.push_back(verdict.missing);
    }
}

Overall VerdictCounts::overall() const {
    if (fail > 0) {
        return Overall::fail;
    }
    if (missing > 0) {
        return Overall::incomplete;
    }
    return pass > 0 ? Overall::pass : Overall::none;
}

}  // namespace kadenza

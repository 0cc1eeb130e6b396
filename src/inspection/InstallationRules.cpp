#include "inspection/InstallationRules.h"

#include <cmath>
#include <string_view>

#include "inspection/CircuitDetails.h"
#include "inspection/ItemNote.h"
#include "inspection/TextReading.h"
#include "model/InstrumentItem.h"

namespace kadenza {

namespace {

// The minimum insulation resistance by the circuit's nominal voltage, with the DC test
// voltage the circuit is tested at: IEC 60364-6:2006 and :2016 share one table, the older
// IEC 60364-6-61:2001 had lower minimums below 500 V.
struct InsulationRow {
    double testVoltage;
    double minimum;
    double minimum2001;
};

constexpr InsulationRow safetyExtraLowRow{250, 0.5e6, 0.25e6};
constexpr InsulationRow upTo500Row{500, 1.0e6, 0.5e6};
constexpr InsulationRow above500Row{1000, 1.0e6, 1.0e6};

// Tests below this voltage (50 V, 100 V) are not the insulation test.
constexpr double lowestTestVoltage = 250;

// The circuit's nominal voltage: 230 V where its details give none, none where they give one
// that cannot be read (a file written by hand), for the rule to name it as missing.
std::optional<double> nominalVoltsOf(const BankDetails& bank) {
    if (trimmed(bank.nominalVoltage).empty()) {
        return 230;
    }
    return readNominalVolts(bank.nominalVoltage);
}

// A circuit is "up to 500 V" unless its details say SELV or PELV or a voltage above 500 V.
const InsulationRow& insulationRowOf(const BankDetails& bank) {
    if (isSafetyExtraLowVoltage(bank.nominalVoltage)) {
        return safetyExtraLowRow;
    }
    return *nominalVoltsOf(bank) > 500 ? above500Row : upTo500Row;
}

const char* insulationRule(const std::string& profile) {
    if (profile == installation2001Profile) {
        return "insulation-2001";
    }
    return profile == installation2006Profile ? "insulation-2006" : "insulation-2016";
}

// U_L: 50 V unless the inspection says 25 V; none for any other figure a file holds.
std::optional<double> touchVoltageLimit(const InspectionDetails& inspection) {
    const std::optional<double> limit = inspection.touchVoltageLimit;
    if (!limit) {
        return 50;
    }
    return *limit == 50 || *limit == 25 ? limit : std::nullopt;
}

// The correction of loop limits for impedances measured cold, as a fraction: none (1), 0.8
// or 2/3; none for any other text a file holds.
struct LoopFactor {
    double numerator;
    double denominator;
};

std::optional<LoopFactor> loopFactorOf(const InspectionDetails& inspection) {
    const std::string_view factor = trimmed(inspection.loopFactor);
    if (factor.empty() || factor == "1") {
        return LoopFactor{1, 1};
    }
    if (factor == "0.8") {
        return LoopFactor{4, 5};
    }
    if (factor == "2/3") {
        return LoopFactor{2, 3};
    }
    return std::nullopt;
}

// A circuit's nominal voltage above 250 V is the voltage between its lines (a three-phase
// 230/400 V circuit is "400"); the loop runs from a line to earth, U0 = U / √3, with the usual
// systems' own figures: 400 V gives 230 V, 690 V gives 400 V.
double lineToEarthVolts(double nominal) {
    if (nominal <= 250) {
        return nominal;
    }
    if (nominal == 400) {
        return 230;
    }
    if (nominal == 690) {
        return 400;
    }
    return std::round(nominal / std::sqrt(3.0));
}

// The largest loop impedance that lets a fault current of `current` amperes flow, corrected
// for a reading taken cold; the circuit's voltage and the factor have been read.
Limit loopLimit(const RuleInput& input, double current) {
    const double u0 = lineToEarthVolts(*nominalVoltsOf(input.bank));
    const LoopFactor factor = *loopFactorOf(input.inspection);
    return atMost(factor.numerator * u0 / (factor.denominator * current), ohms);
}

Verdict withRemark(Verdict verdict, const char* remark) {
    verdict.remark = remark;
    return verdict;
}

}  // namespace

// The limit follows the circuit, not the test voltage: a circuit tested at a voltage reduced
// to spare its equipment still needs its own minimum.
Verdict installationInsulation(const RuleInput& input) {
    const char* rule = insulationRule(input.profile);
    const auto testVoltage = readTestVoltage(input.item.noteOrEmpty());
    if (testVoltage && *testVoltage < lowestTestVoltage) {
        return withRemark({}, "low-test-voltage");
    }
    if (!isSafetyExtraLowVoltage(input.bank.nominalVoltage) && !nominalVoltsOf(input.bank)) {
        return lacking(rule, "bank.nominalVoltage");
    }
    const InsulationRow& row = insulationRowOf(input.bank);
    const double minimum = input.profile == installation2001Profile ? row.minimum2001 : row.minimum;
    Verdict verdict = judged(input.item, atLeast(minimum, megohms), rule);
    if (testVoltage && *testVoltage < row.testVoltage) {
        verdict.remark = "reduced-test-voltage";
    }
    return verdict;
}

Verdict touchVoltage(const RuleInput& input) {
    const char* rule = "touch-voltage";
    const auto limit = touchVoltageLimit(input.inspection);
    if (!limit) {
        return lacking(rule, "inspection.touchVoltageLimit");
    }
    return judged(input.item, atMost(*limit, volts), rule);
}

// R_A × IΔn ≤ U_L, compared with the exact quotient (1666.67 Ω for 30 mA at 50 V).
Verdict earthResistance(const RuleInput& input) {
    const char* rule = "earth-resistance-tt";
    const Earthing earthing = readEarthing(input.bank.earthing);
    if (earthing == Earthing::unknown) {
        return lacking(rule, "bank.earthing");
    }
    if (earthing != Earthing::tt) {
        return {};
    }
    const auto ratedCurrent = readRatedResidualCurrent(input.bank.rcdCurrent);
    if (!ratedCurrent) {
        return lacking(rule, "bank.rcdCurrent");
    }
    const auto limit = touchVoltageLimit(input.inspection);
    if (!limit) {
        return lacking(rule, "inspection.touchVoltageLimit");
    }
    return judged(input.item, atMost(*limit * 1000 / *ratedCurrent, ohms), rule);
}

// Z_S ≤ U0 / Ia is the disconnection condition of TN systems; TT and IT circuits meet other
// conditions and SELV/PELV ones need none. Only a loop test's own reading opens its record: the
// impedance an RCD test reports beside its touch voltage (U_IΔN / IΔn) follows it, and the
// protective device does not limit that. Where an RCD gives the fault protection, the circuit
// meets the condition through it, Z_S ≤ U0 / IΔn, even past the breaker's limit.
Verdict loopImpedance(const RuleInput& input) {
    const char* rule = "loop-impedance";
    const Earthing earthing = readEarthing(input.bank.earthing);
    if (!input.item.isPrimary() || isSafetyExtraLowVoltage(input.bank.nominalVoltage)) {
        return {};
    }
    if (earthing == Earthing::unknown) {
        return lacking(rule, "bank.earthing");
    }
    if (earthing != Earthing::tn) {
        return {};
    }
    if (!nominalVoltsOf(input.bank)) {
        return lacking(rule, "bank.nominalVoltage");
    }
    if (!loopFactorOf(input.inspection)) {
        return lacking(rule, "inspection.loopFactor");
    }
    const auto device = readDevice(input.bank.device);
    const auto rcd = readRatedResidualCurrent(input.bank.rcdCurrent);
    std::optional<Verdict> byBreaker;
    if (device) {
        byBreaker =
            judged(input.item, loopLimit(input, device->tripMultiple * device->ratedCurrent), rule);
        if (byBreaker->kind == VerdictKind::pass || !rcd) {
            return *byBreaker;
        }
    }
    if (!rcd) {
        return lacking(rule, "bank.device");
    }
    const Verdict byRcd = judged(input.item, loopLimit(input, *rcd * 1e-3), "loop-impedance-rcd");
    return byBreaker && byRcd.kind == VerdictKind::pass ? withRemark(byRcd, "rcd-disconnects")
                                                        : byRcd;
}

// An open protective conductor (a reading over range) fails with or without a limit.
Verdict protectiveConductor(const RuleInput& input) {
    const char* rule = "protective-conductor";
    Verdict verdict;
    if (isPositive(input.bank.peLimit)) {
        verdict = judged(input.item, atMost(*input.bank.peLimit, ohms), rule);
    } else if (isOpenConductor(input.item)) {
        verdict = Verdict{VerdictKind::fail, std::nullopt, rule, {}, {}};
    } else {
        verdict = lacking(rule, "bank.peLimit");
    }
    verdict.remark = conductorRemark(input.item);
    return verdict;
}

}  // namespace kadenza

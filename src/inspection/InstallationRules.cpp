#include "inspection/InstallationRules.h"

#include <cmath>
#include <string_view>

#include "inspection/CircuitDetails.h"
#include "inspection/ItemNote.h"
#include "inspection/TextReading.h"
#include "model/InstrumentItem.h"

namespace kadenza {

namespace {

// The minimum insulation resistance by DC test voltage, in the 2016 and the 2006 edition.
struct InsulationRow {
    double testVoltage;
    double minimum2016;
    double minimum2006;
};

constexpr InsulationRow insulationTable[] = {
    {250, 0.5e6, 0.25e6},
    {500, 1.0e6, 0.5e6},
    {1000, 1.0e6, 1.0e6},
};

// The test voltage the instrument noted; without one, the voltage a circuit of this nominal
// voltage is tested at. Notes of 50 V and 100 V match no row.
double testVoltageOf(const InstrumentItem& item, const std::string& nominalVoltage) {
    if (const auto noted = readTestVoltage(item.noteOrEmpty())) {
        return *noted;
    }
    if (isSafetyExtraLowVoltage(nominalVoltage)) {
        return 250;
    }
    return readNominalVolts(nominalVoltage).value_or(230) > 500 ? 1000 : 500;
}

double touchVoltageLimit(const InspectionDetails& inspection) {
    return isPositive(inspection.touchVoltageLimit) ? *inspection.touchVoltageLimit : 50;
}

// The correction of loop limits for impedances measured cold, as a fraction; anything but
// "0.8" and "2/3" is no correction.
struct LoopFactor {
    double numerator;
    double denominator;
};

LoopFactor loopFactorOf(const InspectionDetails& inspection) {
    const std::string_view factor = trimmed(inspection.loopFactor);
    if (factor == "0.8") {
        return {4, 5};
    }
    if (factor == "2/3") {
        return {2, 3};
    }
    return {1, 1};
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

}  // namespace

Verdict installationInsulation(const RuleInput& input) {
    const bool edition2006 = input.profile == installation2006Profile;
    const double testVoltage = testVoltageOf(input.item, input.bank.nominalVoltage);
    for (const InsulationRow& row : insulationTable) {
        if (row.testVoltage == testVoltage) {
            const double minimum = edition2006 ? row.minimum2006 : row.minimum2016;
            return judged(input.item, atLeast(minimum, megohms),
                          edition2006 ? "insulation-2006" : "insulation-2016");
        }
    }
    return {};
}

Verdict touchVoltage(const RuleInput& input) {
    return judged(input.item, atMost(touchVoltageLimit(input.inspection), volts), "touch-voltage");
}

// The limit is rounded to whole ohms, as the published values are: 1667 Ω for 30 mA at 50 V.
Verdict earthResistance(const RuleInput& input) {
    const char* rule = "earth-resistance-tt";
    const Earthing earthing = readEarthing(input.bank.earthing);
    if (earthing == Earthing::unknown) {
        return lacking(rule, "bank.earthing");
    }
    if (earthing != Earthing::tt) {
        return {};
    }
    if (!isPositive(input.bank.rcdCurrent)) {
        return lacking(rule, "bank.rcdCurrent");
    }
    const double limit =
        std::round(touchVoltageLimit(input.inspection) * 1000 / *input.bank.rcdCurrent);
    return judged(input.item, atMost(limit, ohms), rule);
}

// Z_S ≤ U0 / Ia holds in TN systems; empty earthing is taken as TN. Only a loop test's own
// reading opens its record: the impedance an RCD test reports beside its touch voltage
// (U_IΔN / IΔn) follows it, and the protective device does not limit that. The limit is rounded to
// 0.01 Ω, half away from zero, as the published tables are (D20: 0.575 to 0.58 Ω). Working in
// hundredths of an ohm from whole numbers keeps such a half exact.
Verdict loopImpedance(const RuleInput& input) {
    const char* rule = "loop-impedance";
    const Earthing earthing = readEarthing(input.bank.earthing);
    if (!input.item.isPrimary() || earthing == Earthing::tt || earthing == Earthing::it) {
        return {};
    }
    const auto device = readDevice(input.bank.device);
    if (!device) {
        return lacking(rule, "bank.device");
    }
    const double u0 = lineToEarthVolts(readNominalVolts(input.bank.nominalVoltage).value_or(230));
    const double trippingCurrent = device->tripMultiple * device->ratedCurrent;
    const LoopFactor factor = loopFactorOf(input.inspection);
    const double hundredths =
        std::round(factor.numerator * u0 * 100 / (factor.denominator * trippingCurrent));
    return judged(input.item, atMost(hundredths / 100, ohms), rule);
}

Verdict protectiveConductor(const RuleInput& input) {
    const char* rule = "protective-conductor";
    if (!isPositive(input.bank.peLimit)) {
        return lacking(rule, "bank.peLimit");
    }
    return judged(input.item, atMost(*input.bank.peLimit, ohms), rule);
}

}  // namespace kadenza

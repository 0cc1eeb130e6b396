#include "support/SampleArchive.h"

#include <array>
#include <cmath>
#include <memory>

#include "inspection/DetailsDocument.h"
#include "inspection/InspectionFile.h"
#include "samples/SampleImages.h"
#include "support/TempDir.h"
#include "translators/InstallationQuantities.h"
#include "translators/TranslatorFactory.h"

namespace kadenza::test {

namespace {

constexpr int mx350Code = 5;

// A bank of the download as the circuit it measured. `rcdCurrent` is empty for a circuit no
// RCD protects; `loopGrowth` is how much its loop impedance grows in a year.
struct Circuit {
    int bank;
    const char* label;
    const char* device;
    const char* rcdCurrent;
    double loopGrowth;
};

struct Revision {
    const char* date;
    const char* nextDate;
};

struct Site {
    const char* name;
    const char* client;
    const char* inspector;
    std::array<Circuit, 4> circuits;
    std::array<Revision, 5> revisions;
};

// Bank 1 holds three-phase readings and no RCD test; the others test RCDs of the rated
// currents given. Connections loosen and corrode by a few percent a year; the house's lift
// shakes its terminals loose faster, so its Z_S of 0.87 Ω crosses the C20's 1.15 Ω in the
// fifth year, and that revision sets the next one sooner.
const std::array<Site, 2> sites = {{
    {"Javorová 12, Brno",
     "Bytové družstvo Javorová",
     "Ing. Jan Dvořák",
     {{{1, "Výtah", "C20", "", 1.08},
       {2, "Prádelna", "B16", "30", 1.03},
       {3, "Chodba", "B16", "100", 1.03},
       {5, "Koupelna", "B16", "10", 1.03}}},
     {{{"2022-03-14", "2023-03-14"},
       {"2023-03-13", "2024-03-13"},
       {"2024-03-18", "2025-03-18"},
       {"2025-03-17", "2026-03-17"},
       {"2026-03-16", "2027-01-11"}}}},
    {"Školní 5, Olomouc",
     "ZŠ Školní",
     "Petr Novák",
     {{{1, "Kuchyň", "B16", "", 1.03},
       {2, "Učebna", "B16", "30", 1.03},
       {3, "Chodba", "B16", "100", 1.03},
       {5, "Umývárna", "B16", "10", 1.03}}},
     {{{"2021-11-22", "2022-11-22"},
       {"2022-11-21", "2023-11-21"},
       {"2023-11-20", "2024-11-20"},
       {"2024-11-25", "2025-11-25"},
       {"2025-11-24", "2026-11-24"}}}},
}};

constexpr double conductorGrowth = 1.02;
constexpr double insulationDecline = 0.88;

std::unique_ptr<InstrumentData> sampleDownload() {
    const std::vector<std::uint8_t> image = samples::sampleImage(mx350Code);
    const auto translator = createTranslator(mx350Code);
    translator->copyIn(image.data(), 0, static_cast<int>(image.size()));
    auto data = std::make_unique<InstrumentData>();
    translator->decodeData(*data);
    return data;
}

// Readings keep the four digits the instrument shows.
double scaled(double value, double factor) {
    const double product = value * factor;
    const double unit = std::pow(10.0, std::floor(std::log10(product)) - 3);
    return std::round(product / unit) * unit;
}

// The reading `years` after the sample's. A fault current follows its loop's impedance down.
// The Z_S an RCD test reports beside its touch voltage is that voltage over the test current,
// which stays; so do a reading over range, a bound rather than a value, and every reading the
// installation's ageing does not move (voltages, RCD tests).
double aged(const InstrumentItem& item, const Circuit& circuit, int years) {
    const double value = item.value();
    if (item.isOver()) {
        return value;
    }
    switch (item.symbol()) {
        case installation::loopImpedance:
            return item.isPrimary() ? scaled(value, std::pow(circuit.loopGrowth, years)) : value;
        case installation::lineImpedance:
            return scaled(value, std::pow(circuit.loopGrowth, years));
        case installation::shortCircuitCurrent:
            return scaled(value, std::pow(circuit.loopGrowth, -years));
        case installation::conductorResistance:
            return scaled(value, std::pow(conductorGrowth, years));
        case installation::insulationResistance:
            return scaled(value, std::pow(insulationDecline, years));
        default:
            return value;
    }
}

// The sample's ramp test of a 500 mA RCD that never tripped shows the instrument's range, not a
// fault of these installations: kept, it would fail every revision of both sites alike.
bool rampNeverTripped(const InstrumentItem& item) {
    return item.symbol() == installation::tripCurrent && item.isOver();
}

std::unique_ptr<InstrumentData> agedDownload(const InstrumentData& sample, const Site& site,
                                             int years) {
    auto data = std::make_unique<InstrumentData>();
    for (const Circuit& circuit : site.circuits) {
        const InstrumentBank& measured = *sample.bank(sample.indexOfNumber(circuit.bank));
        auto bank = std::make_unique<InstrumentBank>(circuit.bank);
        bool dropped = false;
        for (int i = 0; i < measured.count(); ++i) {
            const InstrumentItem& item = *measured.item(i);
            if (item.isPrimary()) {
                dropped = rampNeverTripped(item);
            }
            if (dropped) {
                continue;
            }
            bank->add(std::make_unique<InstrumentItem>(aged(item, circuit, years), item.symbol(),
                                                       item.note(), item.isPrimary(),
                                                       item.isOver()));
        }
        data->add(std::move(bank));
    }
    return data;
}

void setCircuit(DetailsDocument& details, const Circuit& circuit) {
    const std::string bank = "bank." + std::to_string(circuit.bank) + ".";
    details.set(bank + "label", circuit.label);
    details.set(bank + "device", circuit.device);
    details.set(bank + "earthing", "TN-C-S");
    details.set(bank + "peLimit", "0.5");
    if (*circuit.rcdCurrent != '\0') {
        details.set(bank + "rcdCurrent", circuit.rcdCurrent);
        details.set(bank + "rcdType", "A");
        details.set(bank + "rcdSelective", "no");
    }
}

DetailsDocument detailsOf(const Site& site, const Revision& revision) {
    DetailsDocument details;
    details.set("inspection.client", site.client);
    details.set("inspection.site", site.name);
    details.set("inspection.inspector", site.inspector);
    details.set("inspection.model", "Mx350");
    details.set("inspection.date", revision.date);
    details.set("inspection.nextDate", revision.nextDate);
    for (const Circuit& circuit : site.circuits) {
        setCircuit(details, circuit);
    }
    return details;
}

}  // namespace

std::vector<std::string> sampleArchiveFiles() {
    const auto sample = sampleDownload();
    const TempDir dir;
    const std::string path = dir.path("revision.tso");
    std::vector<std::string> files;
    for (const Site& site : sites) {
        for (int year = 0; year < static_cast<int>(site.revisions.size()); ++year) {
            saveInspectionFile(path, *agedDownload(*sample, site, year),
                               detailsOf(site, site.revisions[year]));
            files.push_back(readFile(path));
        }
    }
    return files;
}

}  // namespace kadenza::test

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "inspection/DetailsDocument.h"
#include "report/InspectionReport.h"
#include "report/PdfSigning.h"
#include "report/ReportSignature.h"
#include "support/NssTestDatabase.h"
#include "support/SampleData.h"

// The report of a large download, from the container to the PDF's bytes: judging, laying out
// the pages and embedding the fonts, and then signing it with a certificate of an NSS
// database. Runs without a display.

namespace {

constexpr int itemCount = 2000;

// Every bank a labelled circuit with its device, RCD and protective-conductor limit, so that
// every bank's head carries details and most items a limit and a verdict.
kadenza::DetailsDocument detailsOfEveryBank(const kadenza::InstrumentData& data) {
    kadenza::DetailsDocument details;
    details.set("inspection.client", "Elektro Nováková s.r.o.");
    details.set("inspection.inspector", "Jan Dvořák");
    for (int b = 0; b < data.count(); ++b) {
        const std::string bank = "bank." + std::to_string(data.bank(b)->number()) + ".";
        details.set(bank + "label", "Circuit " + std::to_string(b + 1));
        details.set(bank + "device", "B16");
        details.set(bank + "rcdCurrent", "30");
        details.set(bank + "rcdType", "A");
        details.set(bank + "peLimit", "1");
    }
    return details;
}

void reportOfLargeData(benchmark::State& state) {
    const auto data = kadenza::test::largeData(itemCount);
    const kadenza::DetailsDocument details = detailsOfEveryBank(*data);
    for (auto _ : state) {
        benchmark::DoNotOptimize(kadenza::inspectionReportPdf(*data, details).size());
    }
    state.SetItemsProcessed(state.iterations() * itemCount);
}
BENCHMARK(reportOfLargeData)->Unit(benchmark::kMillisecond);

// Made and signed, as kadenza-cli report --sign does: the database opened, the certificate
// found and the signature written.
void signedReportOfLargeData(benchmark::State& state) {
    const auto data = kadenza::test::largeData(itemCount);
    const kadenza::DetailsDocument details = detailsOfEveryBank(*data);
    const kadenza::test::NssTestDatabase database("Jan Dvořák", "");
    for (auto _ : state) {
        const kadenza::RevisionReport report = kadenza::revisionReport(*data, details);
        kadenza::SignatureRequest request = kadenza::reportSignature(report, details.inspection());
        request.nickname = "Jan Dvořák";
        request.nssDir = database.folder();
        benchmark::DoNotOptimize(kadenza::signedPdf(report.pdf, request).size());
    }
    state.SetItemsProcessed(state.iterations() * itemCount);
}
BENCHMARK(signedReportOfLargeData)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <memory>
#include <string>

#include "app/ArchiveConnection.h"
#include "app/ArchiveWindow.h"
#include "app/MessageBoxes.h"
#include "archive/Archive.h"
#include "archive/Schema.h"
#include "archive/SqliteDatabase.h"
#include "inspection/DetailsDocument.h"
#include "inspection/InspectionFile.h"
#include "support/SampleData.h"
#include "support/TempDir.h"

// The archive's window on 20 000 inspections: 4000 installations revised once a year for five
// years. Opening the window until its installations are shown, and filtering them by a word
// typed into the search. Runs without a display.

namespace {

using namespace kadenza;

constexpr int siteCount = 4000;
constexpr int years = 5;
constexpr int firstYear = 2022;

std::string inspectionFile(const test::TempDir& dir, int site, int year) {
    test::DataBuilder builder;
    builder.bank(1).item(3, 0.3 + 0.01 * (year - firstYear), true).item(15, 200e6, true);
    DetailsDocument details;
    const std::string date = std::to_string(year) + "-0" + std::to_string(1 + site % 9) + "-15";
    details.set("inspection.site",
                "Street " + std::to_string(site) + ", Town " + std::to_string(site % 50));
    details.set("inspection.client", "Client " + std::to_string(site % 300));
    details.set("inspection.date", date);
    details.set("inspection.nextDate", std::to_string(year + 1 + site % 3) + date.substr(4));
    details.set("bank.1.device", "B16");
    details.set("bank.1.earthing", "TN");
    const std::string path = dir.path("file.tso");
    saveInspectionFile(path, *builder.build(), details);
    return test::readFile(path);
}

// Built once for the run; the files go in without waiting for the disk, which only the build
// may do: the window opens the archive as every user does.
const std::string& builtArchive() {
    static const test::TempDir dir;
    static const std::string location = [] {
        const std::string path = dir.path("archive.sqlite");
        auto database = std::make_unique<SqliteDatabase>(path);
        database->run("PRAGMA synchronous = OFF");
        prepareSchema(*database);
        Archive archive(std::move(database));
        for (int year = firstYear; year < firstYear + years; ++year) {
            for (int site = 0; site < siteCount; ++site) {
                archive.add(inspectionFile(dir, site, year));
            }
        }
        return path;
    }();
    return location;
}

// Opens the window as the Archive menu does and waits until its installations are shown.
void openAndWait(ArchiveWindow& window) {
    bool shown = false;
    const QMetaObject::Connection connection =
        QObject::connect(&window, &ArchiveWindow::installationsShown, [&shown] { shown = true; });
    window.reload();
    window.show();
    while (!shown) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    QApplication::processEvents();
    QObject::disconnect(connection);
}

void BM_OpenArchiveWindow(benchmark::State& state) {
    const QString location = QString::fromStdString(builtArchive());
    QtMessageBoxes boxes;
    ArchiveConnection connection(location);
    for (auto _ : state) {
        ArchiveWindow window(connection, boxes);
        openAndWait(window);
        state.PauseTiming();
        state.counters["installations"] = window.shownInstallations().rowCount();
        window.close();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenArchiveWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

// A word that leaves a few dozen of the 4000 rows, as a street number does.
void BM_FilterByTypedWord(benchmark::State& state) {
    QtMessageBoxes boxes;
    ArchiveConnection connection(QString::fromStdString(builtArchive()));
    ArchiveWindow window(connection, boxes);
    openAndWait(window);
    auto* search = window.findChild<QLineEdit*>(QStringLiteral("ArchiveSearch"));
    for (auto _ : state) {
        search->setText(QStringLiteral("street 12"));
        QApplication::processEvents();
        state.PauseTiming();
        state.counters["shown"] = window.shownInstallations().rowCount();
        search->clear();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FilterByTypedWord)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    builtArchive();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTreeView>
#include <QWindow>
#include <sstream>

#include "app/MessageBoxes.h"
#include "app/Relabelling.h"
#include "app/TForm1.h"
#include "language/Language.h"
#include "setup/TForm2.h"
#include "support/SampleData.h"

// The main window's costs as a person meets them: starting the program until its window is
// on the screen, and rebuilding the tree after a large download. Runs without a display.

namespace {

using namespace kadenza;

// Ends the wait once the window has painted for the first time.
class FirstPaint : public QObject {
  public:
    bool painted = false;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        painted |= event->type() == QEvent::Paint;
        return false;
    }
};

void fill(InstrumentData& target, const InstrumentData& source) {
    std::stringstream bytes;
    source.save(bytes);
    target.clear();
    target.load(bytes);
}

// Everything main does before its event loop, and the loop until the first frame.
void BM_StartUpToFirstShownWindow(benchmark::State& state) {
    QtMessageBoxes boxes;
    for (auto _ : state) {
        SetLanguage(czechLanguage);
        TForm1 window(boxes, {});
        TranslateForms(window, window.setupDialog());
        FirstPaint firstPaint;
        window.installEventFilter(&firstPaint);
        window.show();
        while (!firstPaint.painted) {
            QApplication::processEvents();
        }
        state.PauseTiming();
        window.removeEventFilter(&firstPaint);
        window.close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToFirstShownWindow)->Unit(benchmark::kMillisecond);

void BM_UpdateTree(benchmark::State& state) {
    QtMessageBoxes boxes;
    TForm1 window(boxes, {});
    fill(window.instrumentData(), *test::largeData(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        window.UpdateTree();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_UpdateTree)->Arg(2000)->Unit(benchmark::kMillisecond);

// A screenful of expanded rows drawn through the delegate: what every scroll step costs.
void BM_PaintTree(benchmark::State& state) {
    QtMessageBoxes boxes;
    TForm1 window(boxes, {});
    fill(window.instrumentData(), *test::largeData(2000));
    window.UpdateTree();
    auto* tree = window.findChild<QTreeView*>(QStringLiteral("TreeView1"));
    tree->expandAll();
    window.show();
    QApplication::processEvents();
    for (auto _ : state) {
        benchmark::DoNotOptimize(tree->viewport()->grab());
    }
}
BENCHMARK(BM_PaintTree)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

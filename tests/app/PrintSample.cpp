#include <QAction>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>

#include "PrintedPdf.h"
#include "app/KadenzaApplication.h"
#include "app/MessageBoxes.h"
#include "app/TForm1.h"
#include "samples/SampleImages.h"
#include "translators/TranslatorFactory.h"

// kadenza-print-sample FILE.pdf: prints a sample download through the main window's Print
// command into a PDF file on A4, for a look at the printed page.

namespace kadenza::test {

namespace {

constexpr int mx350 = 5;

void download(InstrumentData& data, int modelCode) {
    const std::vector<std::uint8_t> image = samples::sampleImage(modelCode);
    auto translator = createTranslator(modelCode);
    translator->copyIn(image.data(), 0, static_cast<int>(image.size()));
    translator->decodeData(data);
}

}  // namespace

// The Print command enables itself again when the job has ended.
int printSample(const QString& path) {
    QtMessageBoxes boxes;
    TForm1 window(boxes, {});
    download(window.instrumentData(), mx350);
    window.UpdateTree();
    window.setPrintTarget(
        [&path] { return pdfTarget(path.toStdString(), QStringLiteral("Sample printer")); });

    auto* print1 = window.findChild<QAction*>(QStringLiteral("Print1"));
    QEventLoop loop;
    QObject::connect(print1, &QAction::enabledChanged, &loop, [&loop](bool enabled) {
        if (enabled) {
            loop.quit();
        }
    });
    QTimer::singleShot(60000, &loop, [&loop] { loop.exit(1); });
    print1->trigger();
    if (loop.exec() != 0) {
        std::fprintf(stderr, "kadenza-print-sample: the print did not end\n");
        return 1;
    }
    std::printf("%s\n", qPrintable(path));
    return 0;
}

}  // namespace kadenza::test

int main(int argc, char* argv[]) {
    kadenza::QtMessageBoxes boxes;
    kadenza::KadenzaApplication application(argc, argv, boxes);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: kadenza-print-sample FILE.pdf\n");
        return 2;
    }
    return kadenza::test::printSample(arguments[1]);
}

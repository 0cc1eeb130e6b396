#include <QEventLoop>
#include <QImage>
#include <QProgressBar>
#include <QToolButton>
#include <QtTest>
#include <filesystem>

#include "FakeMessageBoxes.h"
#include "PrintedPdf.h"
#include "app/InstrumentTransferWindowPrint.h"
#include "app/PrintLayout.h"
#include "app/TProgressForm.h"
#include "support/SampleData.h"
#include "support/TempDir.h"

// The print job printing into PDF files, with the real progress window, and the layout of
// the rows on a page.

namespace kadenza::test {

namespace {

constexpr int lineVoltage = 1;  // "U" with the subscript "LN"
constexpr int voltage = 29;     // "U", no style codes
constexpr int rowsOnA4 = 94;    // (287 mm / 3 mm) - 1

// `items` items in banks of ten, with a bank without items after the first.
std::unique_ptr<InstrumentData> itemsInBanks(int items) {
    DataBuilder builder;
    for (int i = 0; i < items; ++i) {
        if (i % 10 == 0) {
            builder.emptyBank(i / 10 + 1);
        }
        builder.item(lineVoltage, 200 + i, i % 3 == 0);
        if (i == 0) {
            builder.emptyBank(99);
        }
    }
    return builder.build();
}

// Dark pixels of the scan lines first .. last of `image`.
int ink(const QImage& image, int first, int last) {
    int dark = 0;
    for (int y = first; y <= last; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
        }
    }
    return dark;
}

// The first and the last scan line with a dark pixel, or -1 for a blank page.
std::pair<int, int> inkedLines(const QImage& image) {
    int first = -1;
    int last = -1;
    for (int y = 0; y < image.height(); ++y) {
        if (ink(image, y, y) > 0) {
            first = first < 0 ? y : first;
            last = y;
        }
    }
    return {first, last};
}

// A bitmap of `widthMm` x `heightMm` millimetres at the given resolutions: a device whose
// horizontal and vertical resolutions differ, as some printers' do.
QImage deviceOf(int dpiX, int dpiY, double widthMm, double heightMm) {
    constexpr double metresPerInch = 0.0254;
    QImage image(qRound(widthMm * dpiX / 25.4), qRound(heightMm * dpiY / 25.4),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpiX / metresPerInch));
    image.setDotsPerMeterY(qRound(dpiY / metresPerInch));
    return image;
}

}  // namespace

class PrintTest : public QObject {
    Q_OBJECT

  private:
    // Prints `data` on `target` and waits until the job has freed itself; checks that the
    // end handler ran once, on the user-interface thread, with the progress window down.
    void print(PrintTarget target, const InstrumentData& data) {
        auto* job = new InstrumentTransferWindowPrint(std::move(target), *form_, boxes_);
        QPointer<InstrumentTransferWindowPrint> alive(job);
        int ends = 0;
        job->start(data, [&ends] {
            ++ends;
            QCOMPARE(QThread::currentThread(), qApp->thread());
        });
        QEventLoop loop;
        connect(job, &QObject::destroyed, &loop, &QEventLoop::quit);
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        loop.exec();
        QVERIFY(alive.isNull());
        QCOMPARE(ends, 1);
        QVERIFY(!form_->isVisible());
        QVERIFY(boxes_.shown.empty());
    }

    void printToPdf(const InstrumentData& data) { print(pdfTarget(pdf_, printer_), data); }

    QProgressBar* bar() { return form_->findChild<QProgressBar*>("ProgressBar1"); }

    const QString printer_ = QStringLiteral("Office printer");
    QWidget mainWindow_;
    FakeMessageBoxes boxes_;
    TProgressForm* form_ = nullptr;
    std::unique_ptr<TempDir> dir_;
    std::string pdf_;
    // The bar's positions as the job set them, and what the test does at each.
    QList<int> positions_;
    std::function<void(int)> atPosition_;

  private slots:
    void init() {
        form_ = new TProgressForm(&mainWindow_);
        form_->setWindowTitle(QStringLiteral("untouched"));
        dir_ = std::make_unique<TempDir>();
        pdf_ = dir_->path("out.pdf");
        positions_.clear();
        atPosition_ = nullptr;
        boxes_.shown.clear();
        connect(bar(), &QProgressBar::valueChanged, this, [this](int position) {
            positions_ << position;
            if (atPosition_) {
                atPosition_(position);
            }
        });
    }
    void cleanup() {
        delete form_;
        dir_.reset();
    }

    void rowsOfADevicePage() {
        const QImage a4 = deviceOf(600, 600, 200, printableHeightMm);
        QCOMPARE(PrintLayout(a4, QPoint()).rowsPerPage(), rowsOnA4);

        // 300 dots per inch across and 600 down: a 200 mm wide row is 2362 pixels wide and
        // 3 mm are 70.87 pixels high; every edge is cut to whole pixels.
        const QImage uneven = deviceOf(300, 600, 200, printableHeightMm);
        QCOMPARE(uneven.widthMM(), 200);
        const PrintLayout layout(uneven, QPoint(10, 20));
        QCOMPARE(layout.rowRect(0), QRect(QPoint(10, 20), QPoint(2371, 89)));
        QCOMPARE(layout.rowRect(1), QRect(QPoint(10, 90), QPoint(2371, 160)));
        QCOMPARE(layout.rowRect(93), QRect(QPoint(10, 6610), QPoint(2371, 6680)));

        // A label of 5 mm still takes one row per page.
        QCOMPARE(PrintLayout(deviceOf(600, 600, 50, 5), QPoint()).rowsPerPage(), 1);
    }

    void pagesEndWithTheirLastRow_data() {
        QTest::addColumn<int>("items");
        QTest::addColumn<int>("pages");
        QTest::newRow("no items: one empty page") << 0 << 1;
        QTest::newRow("one item") << 1 << 1;
        QTest::newRow("a full page") << rowsOnA4 << 1;
        QTest::newRow("one row more") << rowsOnA4 + 1 << 2;
        QTest::newRow("two full pages") << 2 * rowsOnA4 << 2;
        QTest::newRow("and one more") << 2 * rowsOnA4 + 1 << 3;
    }
    void pagesEndWithTheirLastRow() {
        QFETCH(int, items);
        QFETCH(int, pages);
        PrintTarget target = pdfTarget(pdf_, printer_);
        QCOMPARE(target.printer->heightMM(), printableHeightMm);

        print(std::move(target), *itemsInBanks(items));
        QCOMPARE(pageCount(pdf_), pages);
    }

    void printsTheItemsInOrderWithoutTheBanks() {
        const std::string longNote(150, 'n');
        const auto data = DataBuilder()
                              .bank(3)
                              .item(voltage, 230, true)
                              .emptyBank(4)
                              .numbered(17)
                              .item(voltage, 15, false, false, "socket 2")
                              .item(voltage, 240, false, false, longNote)
                              .build();
        printToPdf(*data);

        // The banks' rows ("Bank 3", "No. 17") are left out, their number items printed; the
        // long row is cut after its 100th character.
        const QStringList expected = {"Bank=3", "U=230 V", "No.=17", "U=15 V socket 2",
                                      "U=240 V " + QString(92, QLatin1Char('n'))};
        QCOMPARE(printedLines(pdf_), expected);
        QCOMPARE(pageCount(pdf_), 1);
        const QString info = QString::fromUtf8(
            popplerTool(QStringLiteral("pdfinfo"), {QString::fromStdString(pdf_)}));
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Title: +Transfer\\n"))),
                 qPrintable(info));
    }

    void primaryRowsAreBoldAndNothingIsRed() {
        // The same reading twice, the first primary and over range.
        const auto data = DataBuilder()
                              .emptyBank(1)
                              .item(lineVoltage, 230, true, true)
                              .item(lineVoltage, 230, false, true)
                              .build();
        printToPdf(*data);
        const QImage page = pageImage(pdf_, 1, dir_->path("page"));
        QVERIFY(!page.isNull());

        const auto [first, last] = inkedLines(page);
        QVERIFY(first > 0);
        const int middle = (first + last) / 2;
        const int bold = ink(page, first, middle);
        const int normal = ink(page, middle + 1, last);
        QVERIFY2(normal > 0 && bold > normal * 6 / 5,
                 qPrintable(QStringLiteral("%1 %2").arg(bold).arg(normal)));
        for (int y = first; y <= last; ++y) {
            for (int x = 0; x < page.width(); ++x) {
                const QColor colour = page.pixelColor(x, y);
                QVERIFY(colour.red() < colour.green() + 60);
            }
        }
    }

    void progressShowsThePrinterAndEachRow() {
        printToPdf(*itemsInBanks(8));
        QCOMPARE(form_->windowTitle(), printer_);
        // done * 100 / total before each row: the bar never reaches 100.
        QCOMPARE(positions_, QList<int>({12, 25, 37, 50, 62, 75, 87}));
    }

    void emptyContainerPrintsAnEmptyPageWithoutProgress() {
        printToPdf(InstrumentData());
        QCOMPARE(pageCount(pdf_), 1);
        QCOMPARE(printedLines(pdf_), QStringList());
        QCOMPARE(form_->windowTitle(), printer_);
        QVERIFY(positions_.isEmpty());
    }

    void stoppingPrintsNothing() {
        atPosition_ = [this](int position) {
            if (position >= 50) {
                QTest::mouseClick(form_->findChild<QToolButton*>("SpeedButton1"), Qt::LeftButton);
            }
        };
        printToPdf(*itemsInBanks(8));
        QCOMPARE(positions_, QList<int>({12, 25, 37, 50}));
        QVERIFY(!std::filesystem::exists(pdf_));
    }

    void withoutPrinterNothingIsShown() {
        print(PrintTarget(), *itemsInBanks(8));
        QCOMPARE(form_->windowTitle(), QStringLiteral("untouched"));
        QVERIFY(positions_.isEmpty());
    }
};

}  // namespace kadenza::test

QTEST_MAIN(kadenza::test::PrintTest)
#include "PrintTest.moc"

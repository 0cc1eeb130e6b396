#include <QAccessible>
#include <QAction>
#include <QDialog>
#include <QProgressBar>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>
#include <filesystem>
#include <sstream>

#include "FakeMessageBoxes.h"
#include "app/Relabelling.h"
#include "app/TForm1.h"
#include "app/TProgressForm.h"
#include "language/Language.h"
#include "samples/SampleImages.h"
#include "setup/TForm2.h"
#include "sim/RunningInstrument.h"
#include "support/SampleData.h"
#include "support/SimulatedModels.h"
#include "support/TempDir.h"
#include "translators/LegacyFrame.h"
#include "translators/TranslatorFactory.h"

// The main window's downloads as the user starts them, each from an instrument simulated on
// a pseudo-terminal that is the window's only port.

namespace kadenza::test {

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int transferTimeoutMs = 60000;

std::unique_ptr<InstrumentData> decodedData(int modelCode, const Bytes& image) {
    auto data = std::make_unique<InstrumentData>();
    translatorWith(modelCode, image)->decodeData(*data);
    return data;
}

// The number of children of every bank, as the tree (every bank expanded) or the container
// holds them.
QList<int> shapeOf(QTreeView& tree) {
    QList<int> shape;
    for (int i = 0; i < tree.model()->rowCount(); ++i) {
        tree.expand(tree.model()->index(i, 0));
        shape << tree.model()->rowCount(tree.model()->index(i, 0));
    }
    return shape;
}

QList<int> shapeOf(const InstrumentData& data) {
    QList<int> shape;
    for (int i = 0; i < data.count(); ++i) {
        shape << data.bank(i)->count();
    }
    return shape;
}

}  // namespace

class TForm1EndToEndTest : public QObject {
    Q_OBJECT

  private:
    // A main window whose port list holds only `port`, showing the sample data.
    TForm1& open(const std::string& port) {
        std::filesystem::create_directories(dir_.path("class"));
        std::filesystem::create_directories(dir_.path("dev"));
        window_ =
            std::make_unique<TForm1>(boxes_, QStringList{QString::fromStdString(port)},
                                     SerialDeviceFolders{dir_.path("class"), dir_.path("dev")});
        TranslateForms(*window_, window_->setupDialog());
        window_->show();
        std::stringstream bytes;
        sampleData()->save(bytes);
        window_->instrumentData().clear();
        window_->instrumentData().load(bytes);
        window_->UpdateTree();
        return *window_;
    }

    template <typename T = QObject>
    T* part(const char* name) const {
        return window_->findChild<T*>(QString::fromLatin1(name));
    }
    QTreeView* tree() const { return part<QTreeView>("TreeView1"); }

    // Starts a download with `start` and runs the event loop, as the program does, until the
    // window has taken the download's end and lets the user start another.
    void download(const std::function<void()>& start) {
        QAction* startTransfer = part<QAction>("Starttransfer1");
        QEventLoop loop;
        connect(startTransfer, &QAction::enabledChanged, &loop, [&loop](bool enabled) {
            if (enabled) {
                loop.quit();
            }
        });
        QTimer::singleShot(transferTimeoutMs, &loop, &QEventLoop::quit);
        start();
        QVERIFY(!startTransfer->isEnabled());
        loop.exec();
        QVERIFY(startTransfer->isEnabled());
        QVERIFY(!window_->progressForm().isVisible());
    }
    void startTransfer() {
        download([this] { QTest::mouseClick(part<QToolButton>("SpeedButton1"), Qt::LeftButton); });
    }

    FakeMessageBoxes boxes_;
    TempDir dir_;
    std::unique_ptr<TForm1> window_;

  private slots:
    void init() {
        SetLanguage(englishLanguage);
        boxes_.shown.clear();
    }
    void cleanup() {
        window_.reset();
        SetLanguage(czechLanguage);
    }

    void startTransferFillsTheTreeForEveryModel() {
        for (int code = 1; code <= 5; ++code) {
            const Bytes image = samples::sampleImage(code);
            RunningInstrument instrument(model(code), image);
            open(instrument.devicePath());
            const auto expected = decodedData(code, image);

            startTransfer();
            QVERIFY(boxes_.shown.empty());
            QCOMPARE(xmlOf(window_->instrumentData()), xmlOf(*expected));
            QCOMPARE(shapeOf(*tree()), shapeOf(*expected));
            // Downloaded data are in no file yet.
            QCOMPARE(window_->windowTitle(), QStringLiteral("Kadenza[*]"));
            QVERIFY(window_->isWindowModified());
            // A screen reader hears that the transfer finished, on the first bank.
            QCOMPARE(tree()->currentIndex(), tree()->model()->index(0, 0));
            QCOMPARE(QAccessible::queryAccessibleInterface(tree())->text(QAccessible::Description),
                     QString::fromUtf8(RowText(455)));
        }
        // New details start from the model the data came from.
        QString model;
        QTimer::singleShot(0, window_.get(), [&model] {
            QWidget* dialog = QApplication::activeModalWidget();
            model =
                dialog->findChild<QTableWidget*>(QStringLiteral("Instruments"))->item(0, 0)->text();
            qobject_cast<QDialog*>(dialog)->reject();
        });
        part<QAction>("Inspectiondetails1")->trigger();
        QCOMPARE(model, QStringLiteral("Mx350"));
    }

    // Stopped from the progress window while it runs, with the commands that would touch
    // the container refused meanwhile; the tree shows the previous data again.
    void stoppedTransferKeepsThePreviousData() {
        RunningInstrument instrument(model(5), samples::sampleImage(5));
        open(instrument.devicePath());
        const std::string before = xmlOf(window_->instrumentData());
        const QList<int> shape = shapeOf(*tree());
        TProgressForm& progress = window_->progressForm();
        bool stopped = false;
        QStringList enabledWhileRunning;
        connect(progress.findChild<QProgressBar*>("ProgressBar1"), &QProgressBar::valueChanged,
                this, [&](int position) {
                    if (position < 20 || stopped) {
                        return;
                    }
                    for (const char* name : {"Open1", "Starttransfer1", "Setup1"}) {
                        if (part<QAction>(name)->isEnabled()) {
                            enabledWhileRunning << name;
                        }
                    }
                    QTest::mouseClick(progress.findChild<QToolButton*>("SpeedButton1"),
                                      Qt::LeftButton);
                    stopped = true;
                });

        startTransfer();
        QVERIFY(stopped);
        QCOMPARE(enabledWhileRunning, QStringList());
        QCOMPARE(boxes_.messages(), QStringList{"Interupted by user"});
        QCOMPARE(boxes_.shown.front().caption, QString("Error"));
        QCOMPARE(xmlOf(window_->instrumentData()), before);
        QCOMPARE(shapeOf(*tree()), shape);
        QVERIFY(!window_->isWindowModified());
    }

    void silentInstrumentIsNotConnected() {
        sim::InstrumentBehaviour switchedOff = model(3);
        switchedOff.silent = true;
        RunningInstrument instrument(switchedOff, samples::sampleImage(3));
        open(instrument.devicePath());
        const std::string before = xmlOf(window_->instrumentData());
        const QList<int> shape = shapeOf(*tree());

        startTransfer();
        QCOMPARE(tree()->model()->rowCount(), shape.size());
        QCOMPARE(boxes_.messages(), QStringList{"Instrument not connected"});
        QCOMPARE(xmlOf(window_->instrumentData()), before);
        QCOMPARE(shapeOf(*tree()), shape);
    }

    void legacyTransferFillsOneBankNumberedZero() {
        const Bytes frame = samples::sampleLegacyFrame();
        RunningLegacyInstrument instrument({}, sim::legacyTransmission(frame));
        open(instrument.devicePath());
        InstrumentData expected;
        decodeLegacyFrame(frame.data(), expected);

        download([this] { part<QAction>("StarttransferfromMx31011")->trigger(); });
        QVERIFY(boxes_.shown.empty());
        QCOMPARE(window_->instrumentData().count(), 1);
        QCOMPARE(window_->instrumentData().bank(0)->number(), 0);
        QCOMPARE(xmlOf(window_->instrumentData()), xmlOf(expected));
        QCOMPARE(shapeOf(*tree()), shapeOf(expected));
    }
};

}  // namespace kadenza::test

QTEST_MAIN(kadenza::test::TForm1EndToEndTest)
#include "TForm1EndToEndTest.moc"

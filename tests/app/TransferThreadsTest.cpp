#include <QProgressBar>
#include <QToolButton>
#include <QtTest>
#include <memory>
#include <sstream>

#include "FakeMessageBoxes.h"
#include "app/InstrumentTransferWindowThread.h"
#include "app/Mx310Old.h"
#include "app/TProgressForm.h"
#include "language/Language.h"
#include "samples/SampleImages.h"
#include "sim/RunningInstrument.h"
#include "support/SampleData.h"
#include "support/SimulatedModels.h"
#include "translators/LegacyFrame.h"
#include "translators/TranslatorFactory.h"

// The worker threads of the transfers against the simulator on a pseudo-terminal, with the
// real progress window and recorded message boxes.

namespace kadenza::test {

namespace {

using Bytes = std::vector<std::uint8_t>;

const QString interrupted = QString::fromUtf8("Přerušeno uživatelem");

}  // namespace

class TransferThreadsTest : public QObject {
    Q_OBJECT

  private:
    using Start = std::function<void(std::function<void()>)>;

    // Starts `job` through `start`, which hands the job its end handler, and waits until
    // the job has freed itself. Checks what every job promises about its end: the handler
    // runs once, on the user-interface thread, after the thread finished and after any
    // message box was closed, and the progress window is down and holds no reference.
    void runToEnd(InstrumentTransferWindow* job, const Start& start) {
        job_ = job;
        int ends = 0;
        start([this, &ends] {
            ++ends;
            order_ << "end";
            QCOMPARE(QThread::currentThread(), qApp->thread());
            QVERIFY(job_ && job_->isFinished());
        });
        // A plain event loop, as the program has, answers the worker's calls at once.
        QEventLoop loop;
        connect(job, &QObject::destroyed, &loop, &QEventLoop::quit);
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        loop.exec();
        QVERIFY(job_.isNull());
        QCOMPARE(ends, 1);
        QCOMPARE(order_.last(), QString("end"));
        QVERIFY(!form_->isVisible());
        QCOMPARE(form_->job(), nullptr);
    }

    void readData(const QString& port, InstrumentData& data) {
        auto* job = new InstrumentTransferWindowThread(port, *form_, boxes_);
        runToEnd(job, [&](auto onEnd) { job->startReadData(data, [onEnd](bool) { onEnd(); }); });
    }

    void readLegacy(const QString& port, InstrumentData& data) {
        auto* job = new Mx310Old(port, *form_, boxes_);
        runToEnd(job, [&](auto onEnd) { job->start(data, [onEnd](bool) { onEnd(); }); });
    }

    QProgressBar* bar() { return form_->findChild<QProgressBar*>("ProgressBar1"); }
    QToolButton* stopButton() { return form_->findChild<QToolButton*>("SpeedButton1"); }

    QWidget mainWindow_;
    FakeMessageBoxes boxes_;
    TProgressForm* form_ = nullptr;
    QPointer<InstrumentTransferWindow> job_;
    // The bar's positions as the jobs set them, and what the test does at each.
    QList<int> positions_;
    std::function<void(int)> atPosition_;
    // Message boxes and end handlers in the order they came.
    QStringList order_;

  private slots:
    void init() {
        form_ = new TProgressForm(&mainWindow_);
        positions_.clear();
        atPosition_ = nullptr;
        order_.clear();
        boxes_.shown.clear();
        boxes_.whileOpen = [this](const ShownBox& box) {
            QVERIFY(job_ && job_->isRunning());
            QCOMPARE(box.parent, &mainWindow_);
            order_ << box.caption + ": " + box.text;
        };
        connect(bar(), &QProgressBar::valueChanged, this, [this](int position) {
            positions_ << position;
            if (atPosition_) {
                atPosition_(position);
            }
        });
        SetLanguage(englishLanguage);
    }
    void cleanup() {
        delete form_;
        SetLanguage(czechLanguage);
    }

    void readsTheDataOfEveryModel() {
        const char* names[] = {"Mx340", "Mx320", "Mx310.2", "Mx330", "Mx350"};
        for (int code = 1; code <= 5; ++code) {
            const Bytes image = samples::sampleImage(code);
            RunningInstrument instrument(model(code), image);
            InstrumentData expected;
            translatorWith(code, image)->decodeData(expected);
            const auto data = sampleData();
            positions_.clear();

            readData(QString::fromStdString(instrument.devicePath()), *data);
            QCOMPARE(xmlOf(*data), xmlOf(expected));
            QCOMPARE(form_->windowTitle(), QString(names[code - 1]));
            QVERIFY(positions_.size() > 10);
            QVERIFY(std::is_sorted(positions_.begin(), positions_.end()));
            QVERIFY(positions_.last() >= 90);
            QCOMPARE(order_, QStringList(code, "end"));
        }
    }

    void stoppingFromTheProgressWindow_data() {
        QTest::addColumn<bool>("byCloseButton");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("message");
        QTest::newRow("stop button") << false << englishLanguage << "Error: Interupted by user";
        QTest::newRow("close button") << true << czechLanguage << "Chyba: " + interrupted;
    }
    void stoppingFromTheProgressWindow() {
        QFETCH(bool, byCloseButton);
        QFETCH(int, language);
        QFETCH(QString, message);
        SetLanguage(language);
        RunningInstrument instrument(model(3), samples::sampleImage(3));
        const auto data = sampleData();
        const std::string before = xmlOf(*data);
        int stoppedAt = -1;
        // The worker waits while the bar is set, so the stop lands between two blocks.
        atPosition_ = [&](int position) {
            if (position >= 20 && stoppedAt < 0) {
                stoppedAt = position;
                if (byCloseButton) {
                    form_->close();
                } else {
                    QTest::mouseClick(stopButton(), Qt::LeftButton);
                }
            }
        };

        readData(QString::fromStdString(instrument.devicePath()), *data);
        QCOMPARE(order_, (QStringList{message, "end"}));
        QCOMPARE(positions_.last(), stoppedAt);
        QCOMPARE(xmlOf(*data), before);
    }

    void silentInstrumentIsNotConnected() {
        sim::InstrumentBehaviour switchedOff = model(4);
        switchedOff.silent = true;
        RunningInstrument instrument(switchedOff, samples::sampleImage(4));
        const auto data = sampleData();
        const std::string before = xmlOf(*data);

        readData(QString::fromStdString(instrument.devicePath()), *data);
        QCOMPARE(order_, (QStringList{"Error: Instrument not connected", "end"}));
        QCOMPARE(xmlOf(*data), before);
        QVERIFY(positions_.isEmpty());
        QVERIFY(form_->windowTitle().isEmpty());
    }

    void legacyTransferFillsOneBankNumberedZero() {
        const Bytes frame = samples::sampleLegacyFrame();
        RunningLegacyInstrument instrument({}, sim::legacyTransmission(frame));
        InstrumentData expected;
        decodeLegacyFrame(frame.data(), expected);
        const auto data = sampleData();

        readLegacy(QString::fromStdString(instrument.devicePath()), *data);
        QCOMPARE(order_, QStringList{"end"});
        QCOMPARE(data->count(), 1);
        QCOMPARE(data->bank(0)->number(), 0);
        QCOMPARE(xmlOf(*data), xmlOf(expected));
        QCOMPARE(form_->windowTitle(), QString("Mx310.1"));
        QVERIFY(positions_.last() >= 90);
    }

    // An Mx310.1 that never sends is waited for until the user stops.
    void legacyTransferWaitsUntilStopped() {
        sim::InstrumentBehaviour switchedOff;
        switchedOff.silent = true;
        RunningLegacyInstrument instrument(switchedOff,
                                           sim::legacyTransmission(samples::sampleLegacyFrame()));
        const auto data = sampleData();
        const std::string before = xmlOf(*data);
        QTimer::singleShot(0, this, [this] {
            QTRY_VERIFY_WITH_TIMEOUT(form_->isVisible(), 20000);
            QTest::mouseClick(stopButton(), Qt::LeftButton);
        });

        readLegacy(QString::fromStdString(instrument.devicePath()), *data);
        QCOMPARE(order_, (QStringList{"Error: Interupted by user", "end"}));
        QCOMPARE(xmlOf(*data), before);
    }

    void aPortThatDoesNotOpen() {
        const QString missing = "/dev/kadenza-no-such-port";
        const auto data = sampleData();
        const std::string before = xmlOf(*data);
        readData(missing, *data);
        readLegacy(missing, *data);
        QCOMPARE(order_, (QStringList{"Error: Instrument not connected", "end",
                                      "Error: Transmission failed", "end"}));
        QCOMPARE(xmlOf(*data), before);
        QVERIFY(form_->windowTitle().isEmpty());
    }

    // The setup dialog's jobs: read the stored settings, fetch the model's defaults, write
    // them, and the instrument holds them.
    void setupJobs() {
        const int code = 4;
        const Bytes image = samples::sampleImage(code);
        RunningInstrument instrument(model(code), image);
        const QString port = QString::fromStdString(instrument.devicePath());

        InstrumentSetup stored;
        auto* reader = new InstrumentTransferWindowThread(port, *form_, boxes_);
        runToEnd(reader,
                 [&](auto onEnd) { reader->startReadSetup(stored, [onEnd](bool) { onEnd(); }); });
        InstrumentSetup expectedStored;
        translatorWith(code, image)->decodeSetup(expectedStored);
        QCOMPARE(describe(stored), describe(expectedStored));

        InstrumentSetup defaults;
        auto* fetcher = new InstrumentTransferWindowThread(port, *form_, boxes_);
        runToEnd(fetcher, [&](auto onEnd) {
            fetcher->startDefaultSettings(defaults, [onEnd](bool) { onEnd(); });
        });
        InstrumentSetup expectedDefaults;
        createTranslator(code)->defaultSetup(expectedDefaults);
        QCOMPARE(describe(defaults), describe(expectedDefaults));
        QVERIFY(describe(defaults) != describe(stored));

        auto* writer = new InstrumentTransferWindowThread(port, *form_, boxes_);
        runToEnd(writer, [&](auto onEnd) {
            writer->startWriteSetup(defaults, [onEnd](bool) { onEnd(); });
        });
        auto encoder = createTranslator(code);
        encoder->encodeSetup(defaults);
        Bytes written(128);
        encoder->copyOut(written.data(), 8064, 128);
        const Bytes kept = instrument.finalImage();
        QCOMPARE(Bytes(kept.begin() + 8064, kept.end()), written);
        QCOMPARE(order_, (QStringList{"end", "end", "end"}));
    }
};

}  // namespace kadenza::test

QTEST_MAIN(kadenza::test::TransferThreadsTest)
#include "TransferThreadsTest.moc"

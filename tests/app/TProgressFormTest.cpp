#include <QDialog>
#include <QProgressBar>
#include <QToolButton>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <functional>

#include "FakeMessageBoxes.h"
#include "app/InstrumentTransferWindow.h"
#include "app/StopGlyph.h"
#include "app/TProgressForm.h"
#include "language/Language.h"

// The progress window, and the worker base class that drives it, with jobs whose bodies the
// test writes.

namespace kadenza::test {

namespace {

using Clock = std::chrono::steady_clock;

// Waits on the worker for the test to open `gate`, or for the job to be stopped when
// `stopsToo`; gives up after a while so that a failing test cannot hang.
void waitFor(const std::atomic<bool>& gate, InstrumentTransferWindow& job, bool stopsToo) {
    const auto giveUp = Clock::now() + std::chrono::seconds(20);
    while (!gate && !(stopsToo && job.isCancelled()) && Clock::now() < giveUp) {
        QThread::msleep(5);
    }
}

// A job whose body on the worker is the test's script.
class ScriptedJob : public InstrumentTransferWindow {
  public:
    using Script = std::function<void(ScriptedJob&)>;

    ScriptedJob(TProgressForm& progress, MessageBoxes& boxes, Script script)
        : InstrumentTransferWindow(progress, boxes), script_(std::move(script)) {}

    void begin(std::function<void()> onEnd) { launch(std::move(onEnd)); }

  protected:
    void work() override { script_(*this); }

  private:
    Script script_;
};

}  // namespace

class TProgressFormTest : public QObject {
    Q_OBJECT

  private:
    // Starts a scripted job; `ended` turns true in its end handler.
    QPointer<ScriptedJob> begin(ScriptedJob::Script script, bool& ended) {
        auto* job = new ScriptedJob(*form_, boxes_, std::move(script));
        job->begin([&ended] { ended = true; });
        return job;
    }

    QProgressBar* bar() { return form_->findChild<QProgressBar*>("ProgressBar1"); }
    QToolButton* stopButton() { return form_->findChild<QToolButton*>("SpeedButton1"); }

    QWidget mainWindow_;
    FakeMessageBoxes boxes_;
    TProgressForm* form_ = nullptr;

  private slots:
    void init() {
        boxes_.shown.clear();
        boxes_.whileOpen = nullptr;
        form_ = new TProgressForm(&mainWindow_);
    }
    void cleanup() {
        delete form_;
        SetLanguage(czechLanguage);
    }

    void hasTheLayoutOfTheProgressWindow() {
        QCOMPARE(form_->objectName(), QString("TProgressForm"));
        QVERIFY(form_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(form_->minimumSize(), QSize(338, 33));
        QCOMPARE(form_->maximumSize(), QSize(338, 33));
        QVERIFY(form_->windowTitle().isEmpty());
        QVERIFY(!form_->isVisible());

        QVERIFY(bar());
        QCOMPARE(bar()->geometry(), QRect(2, 9, 305, 17));
        QCOMPARE(bar()->minimum(), 0);
        QCOMPARE(bar()->maximum(), 100);
        QVERIFY(stopButton());
        QCOMPARE(stopButton()->geometry(), QRect(312, 5, 25, 25));
        QVERIFY(!stopButton()->autoRaise());
        QCOMPARE(stopButton()->iconSize(), QSize(20, 20));
    }

    void stopGlyphIsAWhiteCrossOnARedDisc() {
        const QImage glyph = stopGlyph().toImage();
        QCOMPARE(glyph.size(), QSize(20, 20));
        QCOMPARE(glyph.pixelColor(0, 0).alpha(), 0);
        QCOMPARE(glyph.pixelColor(10, 10), QColor(Qt::white));
        QCOMPARE(glyph.pixelColor(10, 4), QColor(Qt::red));
        QCOMPARE(glyph.pixelColor(4, 10), QColor(Qt::red));
        const QColor outline = glyph.pixelColor(10, 0);
        QVERIFY2(outline.alpha() > 100 && outline.red() < 100, qPrintable(outline.name()));
    }

    // The worker's progress calls reach the window on the user-interface thread while the
    // worker waits, so each is on the screen as soon as the call returns.
    void showsTheJobsCaptionAndPosition() {
        std::atomic<bool> shown{false};
        std::atomic<bool> hide{false};
        bool ended = false;
        QPointer<ScriptedJob> job = begin(
            [&](ScriptedJob& self) {
                self.showProgress("Probe č");
                self.setProgress(40);
                shown = true;
                waitFor(hide, self, false);
                self.hideProgress();
            },
            ended);
        QTRY_VERIFY_WITH_TIMEOUT(shown, 20000);
        QVERIFY(form_->isVisible());
        QVERIFY(!form_->isModal());
        QCOMPARE(form_->windowTitle(), QString::fromUtf8("Probe č"));
        QCOMPARE(bar()->value(), 40);
        QCOMPARE(form_->job(), job.data());

        hide = true;
        QTRY_VERIFY_WITH_TIMEOUT(ended, 20000);
        QVERIFY(!form_->isVisible());
        QVERIFY(boxes_.shown.empty());
        QTRY_VERIFY_WITH_TIMEOUT(job.isNull(), 20000);
        QCOMPARE(form_->job(), nullptr);
    }

    // The setup dialog runs its jobs while modal; the progress window must not be blocked by it.
    void staysUsableOverAModalDialog() {
        QDialog modal(&mainWindow_);
        modal.setWindowModality(Qt::ApplicationModal);
        modal.show();
        QCOMPARE(QApplication::activeModalWidget(), &modal);

        std::atomic<bool> shown{false};
        std::atomic<bool> never{false};
        std::atomic<bool> stopped{false};
        bool ended = false;
        begin(
            [&](ScriptedJob& self) {
                self.showProgress("Mx330");
                shown = true;
                waitFor(never, self, true);
                stopped = self.isCancelled();
                self.hideProgress();
            },
            ended);
        QTRY_VERIFY_WITH_TIMEOUT(shown, 20000);
        QCOMPARE(QApplication::activeModalWidget(), form_);
        stopButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(ended, 20000);
        QVERIFY(stopped);
        modal.close();
    }

    void stopButtonAndClosingStopTheJob_data() {
        QTest::addColumn<bool>("byCloseButton");
        QTest::newRow("stop button") << false;
        QTest::newRow("close button") << true;
    }
    void stopButtonAndClosingStopTheJob() {
        QFETCH(bool, byCloseButton);
        std::atomic<bool> shown{false};
        std::atomic<bool> never{false};
        bool ended = false;
        QPointer<ScriptedJob> job = begin(
            [&](ScriptedJob& self) {
                self.showProgress("Probe");
                shown = true;
                waitFor(never, self, true);
                if (self.isCancelled()) {
                    self.hideProgress();
                    self.reportFailure(FailureKind::Cancelled);
                }
            },
            ended);
        QTRY_VERIFY_WITH_TIMEOUT(shown, 20000);
        if (byCloseButton) {
            form_->close();
        } else {
            QTest::mouseClick(stopButton(), Qt::LeftButton);
        }
        QTRY_VERIFY_WITH_TIMEOUT(ended, 20000);
        QCOMPARE(boxes_.messages(), QStringList{QString::fromUtf8("Přerušeno uživatelem")});
        QCOMPARE(boxes_.shown.front().caption, QString("Chyba"));
        QCOMPARE(boxes_.shown.front().parent, &mainWindow_);
        QVERIFY(!form_->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(job.isNull(), 20000);
    }

    // The worker waits while the box is open, and the end handler comes after it.
    void failureBoxIsClosedBeforeTheEnd() {
        SetLanguage(englishLanguage);
        QStringList order;
        bool ended = false;
        QPointer<ScriptedJob> job;
        boxes_.whileOpen = [&](const ShownBox& box) {
            QVERIFY(job && job->isRunning());
            order << box.text;
        };
        job =
            begin([](ScriptedJob& self) { self.reportFailure(FailureKind::NotConnected); }, ended);
        QTRY_VERIFY_WITH_TIMEOUT(ended, 20000);
        order << "end";
        QCOMPARE(order, (QStringList{"Instrument not connected", "end"}));
        QCOMPARE(boxes_.shown.front().caption, QString("Error"));
    }

    // A job that ends with its window still up takes the window down, without stopping
    // anything, before its end handler runs; the handler may then close the window that owns
    // the progress window, as the main window does when it was asked to close meanwhile.
    void theWindowIsDownWhenTheEndHandlerRuns() {
        bool ended = false;
        auto* job =
            new ScriptedJob(*form_, boxes_, [](ScriptedJob& self) { self.showProgress("Probe"); });
        QPointer<ScriptedJob> watch(job);
        job->begin([&] {
            ended = true;
            QVERIFY(!form_->isVisible());
            QCOMPARE(form_->job(), nullptr);
            delete form_;
            form_ = nullptr;
        });
        QTRY_VERIFY_WITH_TIMEOUT(watch.isNull(), 20000);
        QVERIFY(ended);
        QVERIFY(boxes_.shown.empty());
    }

    // With two jobs at once the window belongs to the one that showed it last: the other's
    // progress and end neither move nor close it, and do not stop the later job.
    void theLaterJobHoldsTheWindow() {
        std::atomic<bool> firstShown{false}, secondShown{false}, firstDone{false};
        std::atomic<bool> secondMayEnd{false};
        std::atomic<bool> secondStopped{false};
        bool firstEnded = false;
        bool secondEnded = false;
        begin(
            [&](ScriptedJob& self) {
                self.showProgress("First");
                firstShown = true;
                waitFor(secondShown, self, false);
                self.setProgress(70);
                self.hideProgress();
                firstDone = true;
            },
            firstEnded);
        QTRY_VERIFY_WITH_TIMEOUT(firstShown, 20000);
        begin(
            [&](ScriptedJob& self) {
                self.showProgress("Second");
                self.setProgress(10);
                secondShown = true;
                waitFor(secondMayEnd, self, true);
                secondStopped = self.isCancelled();
                self.hideProgress();
            },
            secondEnded);

        QTRY_VERIFY_WITH_TIMEOUT(firstEnded, 20000);
        QVERIFY(firstDone);
        QVERIFY(form_->isVisible());
        QCOMPARE(form_->windowTitle(), QString("Second"));
        QCOMPARE(bar()->value(), 10);

        secondMayEnd = true;
        QTRY_VERIFY_WITH_TIMEOUT(secondEnded, 20000);
        QVERIFY(!secondStopped);
        QVERIFY(!form_->isVisible());
    }
};

}  // namespace kadenza::test

QTEST_MAIN(kadenza::test::TProgressFormTest)
#include "TProgressFormTest.moc"

#include <QKeyEvent>
#include <QProgressBar>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>
#include <filesystem>

#include "FakeMessageBoxes.h"
#include "PrintedPdf.h"
#include "app/Relabelling.h"
#include "app/TForm1.h"
#include "app/TProgressForm.h"
#include "language/Language.h"
#include "setup/TForm2.h"
#include "sim/PseudoTerminal.h"
#include "support/TempDir.h"

// The main window's Print: while the print job reads the container nothing may change it,
// and the window outlives the job.

namespace kadenza::test {

namespace {

constexpr int jobTimeoutMs = 30000;
constexpr int plainVoltage = 29;  // "U", no style codes

// What must not run while a job reads the container.
const char* const changingCommands[] = {"Open1", "Starttransfer1", "Setup1",
                                        "StarttransferfromMx31011", "Print1"};
const char* const changingButtons[] = {"SpeedButton1", "SpeedButton2", "SpeedButton3",
                                       "SpeedButton5"};
// What only reads the container, as the print job does.
const char* const readingCommands[] = {"Saveas1", "SaveasXML1", "SaveasHTML1", "Saveasplaintext1"};

}  // namespace

class TForm1PrintTest : public QObject {
    Q_OBJECT

  private:
    FakeMessageBoxes boxes_;
    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<TForm1> window_;
    std::string pdf_;

    // The main window with one bank of two items, printing into a PDF file.
    TForm1& open(QStringList ports = {}) {
        std::filesystem::create_directories(dir_->path("class"));
        std::filesystem::create_directories(dir_->path("dev"));
        window_ = std::make_unique<TForm1>(
            boxes_, std::move(ports), SerialDeviceFolders{dir_->path("class"), dir_->path("dev")});
        TranslateForms(*window_, window_->setupDialog());
        window_->setPrintTarget([this] { return pdfTarget(pdf_, QStringLiteral("Office")); });
        auto bank = std::make_unique<InstrumentBank>(42);
        bank->add(std::make_unique<InstrumentItem>(230.0, plainVoltage, false, false));
        bank->add(std::make_unique<InstrumentItem>(231.0, plainVoltage, false, false));
        window_->instrumentData().add(std::move(bank));
        window_->UpdateTree();
        window_->show();
        return *window_;
    }

    template <typename T = QObject>
    T* part(const char* name) const {
        return window_->findChild<T*>(QString::fromLatin1(name));
    }

    void checkChangesRefused(bool refused) {
        for (const char* command : changingCommands) {
            QVERIFY2(part<QAction>(command)->isEnabled() != refused, command);
        }
        for (const char* button : changingButtons) {
            QVERIFY2(part<QToolButton>(button)->isEnabled() != refused, button);
        }
    }

    void checkReadingAllowed() {
        for (const char* command : readingCommands) {
            QVERIFY2(part<QAction>(command)->isEnabled(), command);
        }
        QVERIFY(part<QToolButton>("SpeedButton4")->isEnabled());
    }

    void pressDeleteOnFirstRow() {
        auto* tree = part<QTreeView>("TreeView1");
        tree->setCurrentIndex(tree->model()->index(0, 0));
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
        QApplication::sendEvent(tree, &press);
    }

    QProgressBar* bar() const {
        return window_->progressForm().findChild<QProgressBar*>("ProgressBar1");
    }

  private slots:
    void init() {
        SetLanguage(englishLanguage);
        boxes_.shown.clear();
        dir_ = std::make_unique<TempDir>();
        pdf_ = dir_->path("print.pdf");
    }

    void cleanup() {
        window_.reset();
        dir_.reset();
        SetLanguage(czechLanguage);
    }

    void printingRefusesChangesUntilItEnds() {
        open();
        bool checkedWhileRunning = false;
        connect(bar(), &QProgressBar::valueChanged, this, [this, &checkedWhileRunning] {
            checkChangesRefused(true);
            checkedWhileRunning = true;
        });
        part<QAction>("Print1")->trigger();
        checkChangesRefused(true);
        checkReadingAllowed();
        pressDeleteOnFirstRow();
        QCOMPARE(window_->instrumentData().count(), 1);
        // Saving reads the container as the print does, so it goes on.
        boxes_.fileNames << QString::fromStdString(dir_->path("copy.tso"));
        part<QAction>("Saveas1")->trigger();
        QVERIFY(std::filesystem::exists(dir_->path("copy.tso")));

        QTRY_VERIFY_WITH_TIMEOUT(part<QAction>("Print1")->isEnabled(), jobTimeoutMs);
        QVERIFY(checkedWhileRunning);
        checkChangesRefused(false);
        checkReadingAllowed();
        QCOMPARE(printedLines(pdf_), QStringList({"U=230 V", "U=231 V"}));
        QVERIFY(boxes_.messages().isEmpty());
        pressDeleteOnFirstRow();
        QCOMPARE(window_->instrumentData().count(), 0);
    }

    void withoutPrinterThePrintButtonComesBack() {
        open();
        window_->setPrintTarget([] { return PrintTarget(); });
        const QString caption = window_->progressForm().windowTitle();
        part<QToolButton>("SpeedButton5")->click();
        QVERIFY(!part<QToolButton>("SpeedButton5")->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(part<QToolButton>("SpeedButton5")->isEnabled(), jobTimeoutMs);
        checkChangesRefused(false);
        QCOMPARE(window_->progressForm().windowTitle(), caption);
        QVERIFY(boxes_.shown.empty());
    }

    void closingWhilePrintingStopsThePrintAndClosesAtItsEnd() {
        open();
        auto bank = std::make_unique<InstrumentBank>(43);
        for (int i = 0; i < 300; ++i) {
            bank->add(std::make_unique<InstrumentItem>(230.0, plainVoltage, false, false));
        }
        window_->instrumentData().add(std::move(bank));
        window_->UpdateTree();
        // The window is closed while the job waits for its first step to show.
        bool closeRefused = false;
        connect(bar(), &QProgressBar::valueChanged, this, [this, &closeRefused](int position) {
            if (position > 0 && !closeRefused) {
                closeRefused = !window_->close() && window_->isVisible();
            }
        });
        part<QToolButton>("SpeedButton5")->click();

        QTRY_VERIFY_WITH_TIMEOUT(!window_->isVisible(), jobTimeoutMs);
        QVERIFY(closeRefused);
        QVERIFY(!std::filesystem::exists(pdf_));
        QVERIFY(boxes_.shown.empty());
    }

    void aDownloadKeepsPrintAway() {
        sim::PseudoTerminal silentLine;
        open({QString::fromStdString(silentLine.devicePath())});
        part<QAction>("StarttransferfromMx31011")->trigger();
        QVERIFY(!part<QAction>("Print1")->isEnabled());
        QVERIFY(!part<QToolButton>("SpeedButton5")->isEnabled());
        QTRY_VERIFY(window_->progressForm().isVisible());

        window_->progressForm().closeWindow();
        QTRY_VERIFY_WITH_TIMEOUT(part<QAction>("Print1")->isEnabled(), jobTimeoutMs);
        QVERIFY(part<QToolButton>("SpeedButton5")->isEnabled());
        QVERIFY(!std::filesystem::exists(pdf_));
    }
};

}  // namespace kadenza::test

QTEST_MAIN(kadenza::test::TForm1PrintTest)
#include "TForm1PrintTest.moc"

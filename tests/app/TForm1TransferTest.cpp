#include <QComboBox>
#include <QKeyEvent>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>
#include <filesystem>
#include <sstream>

#include "FakeMessageBoxes.h"
#include "app/DataTreeView.h"
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
#include "translators/TranslatorFactory.h"

// The main window with an instrument on a pseudo-terminal: while a transfer owns the
// container, nothing else may read or change it, and the window outlives the transfer.

namespace kadenza::test {

namespace {

constexpr int mx350 = 5;
constexpr int transferTimeoutMs = 30000;

// What must not run while a transfer fills the container.
const char* const refusedCommands[] = {"Open1",
                                       "Saveas1",
                                       "SaveasXML1",
                                       "SaveasHTML1",
                                       "Saveasplaintext1",
                                       "Starttransfer1",
                                       "Setup1",
                                       "StarttransferfromMx31011"};
const char* const refusedButtons[] = {"SpeedButton1", "SpeedButton2", "SpeedButton3",
                                      "SpeedButton4"};

}  // namespace

class TForm1TransferTest : public QObject {
    Q_OBJECT

  private:
    FakeMessageBoxes boxes_;
    TempDir dir_;
    std::unique_ptr<TForm1> window_;

    TForm1& open(const std::string& port) {
        std::filesystem::create_directories(dir_.path("class"));
        std::filesystem::create_directories(dir_.path("dev"));
        window_ =
            std::make_unique<TForm1>(boxes_, QStringList{QString::fromStdString(port)},
                                     SerialDeviceFolders{dir_.path("class"), dir_.path("dev")});
        TranslateForms(*window_, window_->setupDialog());
        window_->show();
        return *window_;
    }

    template <typename T = QObject>
    T* part(const char* name) const {
        return window_->findChild<T*>(QString::fromLatin1(name));
    }

    QTreeView* tree() const { return part<QTreeView>("TreeView1"); }

    void checkRefused(bool refused) {
        for (const char* command : refusedCommands) {
            QVERIFY2(part<QAction>(command)->isEnabled() != refused, command);
        }
        for (const char* button : refusedButtons) {
            QVERIFY2(part<QToolButton>(button)->isEnabled() != refused, button);
        }
    }

    // The container holding one bank, shown in the tree with its row selected.
    void showOneBank() {
        InstrumentData& data = window_->instrumentData();
        data.clear();
        data.add(std::make_unique<InstrumentBank>(42));
        window_->UpdateTree();
        tree()->setCurrentIndex(tree()->model()->index(0, 0));
    }

    void pressDelete() {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
        QApplication::sendEvent(tree(), &press);
    }

  private slots:
    void init() {
        SetLanguage(englishLanguage);
        boxes_.shown.clear();
    }

    void cleanup() {
        window_.reset();
        SetLanguage(czechLanguage);
    }

    void downloadRefusesOtherCommandsUntilItEnds() {
        const std::vector<std::uint8_t> image = samples::sampleImage(mx350);
        sim::InstrumentBehaviour paced = model(mx350);
        paced.paced = true;
        RunningInstrument instrument(paced, image);
        open(instrument.devicePath());
        showOneBank();

        part<QAction>("Starttransfer1")->trigger();
        checkRefused(true);
        QCOMPARE(tree()->model()->rowCount(), 0);
        // Commands refused while the job runs do nothing even when asked for.
        boxes_.fileNames << QString::fromStdString(dir_.path("x.tso"));
        part<QAction>("Open1")->trigger();
        part<QToolButton>("SpeedButton4")->click();
        QVERIFY(boxes_.shown.empty());
        QTRY_VERIFY(window_->progressForm().isVisible());
        checkRefused(true);

        QTRY_VERIFY_WITH_TIMEOUT(part<QAction>("Open1")->isEnabled(), transferTimeoutMs);
        checkRefused(false);
        InstrumentData expected;
        auto translator = createTranslator(mx350);
        translator->copyIn(image.data(), 0, static_cast<int>(image.size()));
        translator->decodeData(expected);
        QCOMPARE(xmlOf(window_->instrumentData()), xmlOf(expected));
        QCOMPARE(tree()->model()->rowCount(), expected.count());
        QVERIFY(boxes_.shown.empty());
    }

    void legacyTransferRefusesDeleteUntilItEnds() {
        sim::PseudoTerminal silentLine;
        open(silentLine.devicePath());
        showOneBank();

        part<QAction>("StarttransferfromMx31011")->trigger();
        checkRefused(true);
        QTRY_VERIFY(window_->progressForm().isVisible());
        // The tree was emptied; even a row shown again must not reach the container.
        QCOMPARE(tree()->model()->rowCount(), 0);
        part<DataTreeView>("TreeView1")->rebuild();
        tree()->setCurrentIndex(tree()->model()->index(0, 0));
        pressDelete();
        QCOMPARE(tree()->model()->rowCount(), 1);
        QCOMPARE(window_->instrumentData().count(), 1);

        window_->progressForm().closeWindow();
        QTRY_VERIFY_WITH_TIMEOUT(part<QAction>("Open1")->isEnabled(), transferTimeoutMs);
        checkRefused(false);
        QCOMPARE(boxes_.messages(), QStringList({"Interupted by user"}));
        QCOMPARE(window_->instrumentData().count(), 1);
        QCOMPARE(tree()->model()->rowCount(), 1);
    }

    // An instrument that talks without end keeps a block from ever finishing: the stop button
    // still ends the download, inside the block's wait, as interrupted.
    void stopButtonEndsABlockThatNeverFinishes() {
        sim::InstrumentBehaviour babbling = model(mx350);
        babbling.misbehaviour.babble = true;
        RunningInstrument instrument(babbling, {});
        open(instrument.devicePath());
        showOneBank();
        const std::string before = xmlOf(window_->instrumentData());

        part<QAction>("Starttransfer1")->trigger();
        QTRY_VERIFY(window_->progressForm().isVisible());
        // Ten attempts at the babbling line take 0.39 s at least; the stop comes before.
        QTest::qWait(150);
        window_->progressForm().findChild<QToolButton*>("SpeedButton1")->click();
        QTRY_VERIFY_WITH_TIMEOUT(part<QAction>("Open1")->isEnabled(), transferTimeoutMs);
        QCOMPARE(boxes_.messages(), QStringList({"Interupted by user"}));
        QCOMPARE(xmlOf(window_->instrumentData()), before);
    }

    // An instrument that never answers keeps the identification going for seconds: the
    // progress window comes up while it lasts, and its stop ends it as interrupted.
    void stopButtonEndsASilentIdentification() {
        sim::PseudoTerminal silentLine;
        open(silentLine.devicePath());
        part<QAction>("Starttransfer1")->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(window_->progressForm().isVisible(), 1000);
        window_->progressForm().findChild<QToolButton*>("SpeedButton1")->click();
        QTRY_VERIFY_WITH_TIMEOUT(part<QAction>("Open1")->isEnabled(), transferTimeoutMs);
        QCOMPARE(boxes_.messages(), QStringList({"Interupted by user"}));
    }

    void closingDuringATransferStopsItAndClosesAtItsEnd() {
        sim::PseudoTerminal silentLine;
        open(silentLine.devicePath());
        part<QAction>("StarttransferfromMx31011")->trigger();
        QTRY_VERIFY(window_->progressForm().isVisible());

        QVERIFY(!window_->close());
        QVERIFY(window_->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!window_->isVisible(), transferTimeoutMs);
        QCOMPARE(boxes_.messages(), QStringList({"Interupted by user"}));
        QVERIFY(part<QAction>("Open1")->isEnabled());
    }
};

}  // namespace kadenza::test

QTEST_MAIN(kadenza::test::TForm1TransferTest)
#include "TForm1TransferTest.moc"

#include <QComboBox>
#include <QtTest>
#include <filesystem>

#include "app/PortListWatcher.h"
#include "language/Language.h"
#include "link/PosixSerialLine.h"
#include "sim/PseudoTerminal.h"
#include "support/TempDir.h"

// The port list on a system whose serial devices the test makes: pseudo-terminals standing
// in for USB adapters, found through a class folder and a device folder of the test's own.

namespace kadenza::test {

namespace {

namespace fs = std::filesystem;

QStringList entries(const QComboBox& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) {
        texts << list.itemText(i);
    }
    return texts;
}

}  // namespace

class PortListWatcherTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TempDir> dir_;
    SerialDeviceFolders folders_;

    std::string devicePath(const std::string& name) const {
        return folders_.deviceFolder + "/" + name;
    }

    // A serial device as the system shows one: its entry with a device behind it in the class
    // folder, and its node in the device folder.
    void plugIn(const std::string& name, const std::string& target) {
        fs::create_directories(folders_.classFolder + "/" + name + "/device");
        fs::create_symlink(target, devicePath(name));
    }

    void unplug(const std::string& name) {
        fs::remove_all(folders_.classFolder + "/" + name);
        fs::remove(devicePath(name));
    }

  private slots:
    void init() {
        dir_ = std::make_unique<TempDir>();
        folders_ = {dir_->path("class"), dir_->path("dev")};
        fs::create_directories(folders_.classFolder);
        fs::create_directories(folders_.deviceFolder);
    }

    void cleanup() { dir_.reset(); }

    void namedPortsComeFirstAndUnusableDevicesAreLeftOut() {
        sim::PseudoTerminal adapter;
        plugIn("ttyUSB0", adapter.devicePath());
        plugIn("ttyUSB1", dir_->path("nothing-here"));
        QComboBox list;
        PortListWatcher watcher(list, {"/tmp/sim-a", "/tmp/sim-b", "/tmp/sim-a"}, folders_,
                                nullptr);
        watcher.FillPortList();
        QCOMPARE(entries(list), QStringList({"/tmp/sim-a", "/tmp/sim-b",
                                             QString::fromStdString(devicePath("ttyUSB0"))}));
        QCOMPARE(list.currentIndex(), 0);
        QCOMPARE(PortListWatcher::selectedPort(list), QStringLiteral("/tmp/sim-a"));

        watcher.FillPortList();
        QCOMPARE(list.count(), 3);
    }

    // The list's tooltip says why a present device is missing from it, in the current
    // language; a listed port that is busy later (with our own transfer) is not named.
    void tooltipTellsWhyAPresentDeviceIsNotListed() {
        sim::PseudoTerminal adapter;
        sim::PseudoTerminal held;
        plugIn("ttyUSB0", adapter.devicePath());
        plugIn("ttyUSB1", dir_->path("nothing-here"));
        plugIn("ttyUSB2", held.devicePath());
        PosixSerialLine otherProgram(held.devicePath());
        QComboBox list;
        PortListWatcher watcher(list, {}, folders_, nullptr);
        watcher.FillPortList();
        QCOMPARE(list.count(), 1);
        QCOMPARE(list.toolTip(), QStringLiteral("ttyUSB1: Zařízení neodpovídá\n"
                                                "ttyUSB2: Port používá jiný program"));

        SetLanguage(englishLanguage);
        watcher.ShowPortProblems();
        QCOMPARE(list.toolTip(), QStringLiteral("ttyUSB1: The device does not respond\n"
                                                "ttyUSB2: The port is in use by another program"));
        SetLanguage(czechLanguage);

        PosixSerialLine ourTransfer(adapter.devicePath());
        watcher.FillPortList();
        QVERIFY(!list.toolTip().contains(QStringLiteral("ttyUSB0")));
    }

    // A built-in UART is known by the type the class folder gives, which everybody may read:
    // one with a UART behind it is listed even when its device cannot be opened (it says
    // why); an unused one is not.
    void builtInUartsAreKnownByTheirTypeAlone() {
        sim::PseudoTerminal uart;
        plugIn("ttyS0", uart.devicePath());
        plugIn("ttyS1", uart.devicePath());
        plugIn("ttyS2", dir_->path("nothing-here"));
        const std::pair<const char*, const char*> types[] = {
            {"ttyS0", "4\n"}, {"ttyS1", "0\n"}, {"ttyS2", "4\n"}};
        for (const auto& [name, type] : types) {
            writeFile(folders_.classFolder + "/" + name + "/type", type);
        }
        const auto states = serialPortStates(folders_.classFolder, folders_.deviceFolder);
        QCOMPARE(states.size(), 2u);
        QCOMPARE(states[0].path, devicePath("ttyS0"));
        QCOMPARE(states[0].problem, PortProblem::None);
        QCOMPARE(states[1].path, devicePath("ttyS2"));
        QCOMPARE(states[1].problem, PortProblem::NotResponding);
    }

    void emptyListSelectsNothing() {
        QComboBox list;
        PortListWatcher watcher(list, {}, folders_, nullptr);
        watcher.FillPortList();
        QCOMPARE(list.count(), 0);
        QVERIFY(PortListWatcher::selectedPort(list).isEmpty());
    }

    void arrivingDeviceIsAppendedAndTheFirstEntrySelected() {
        sim::PseudoTerminal first;
        sim::PseudoTerminal second;
        plugIn("ttyUSB0", first.devicePath());
        QComboBox list;
        PortListWatcher watcher(list, {"/tmp/sim-a"}, folders_, nullptr);
        watcher.FillPortList();
        list.setCurrentIndex(1);

        plugIn("ttyACM0", second.devicePath());
        QTRY_COMPARE(list.count(), 3);
        QCOMPARE(list.itemData(2).toString(), QString::fromStdString(devicePath("ttyACM0")));
        QCOMPARE(list.currentIndex(), 0);

        // A device that goes stays listed; when it comes back it is not listed twice, and the
        // selection returns to the first entry all the same.
        list.setCurrentIndex(2);
        unplug("ttyACM0");
        QTest::qWait(100);
        QCOMPARE(list.count(), 3);
        QCOMPARE(list.currentIndex(), 2);
        plugIn("ttyACM0", second.devicePath());
        QTRY_COMPARE(list.currentIndex(), 0);
        QCOMPARE(list.count(), 3);
    }
};

}  // namespace kadenza::test

QTEST_MAIN(kadenza::test::PortListWatcherTest)
#include "PortListWatcherTest.moc"

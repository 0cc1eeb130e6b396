#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>
#include <string>
#include <vector>

#include "link/PortList.h"

class QComboBox;

namespace kadenza {

// Where the system's serial devices are found; tests point these at folders of their own.
struct SerialDeviceFolders {
    std::string classFolder = "/sys/class/tty";
    std::string deviceFolder = "/dev";
};

// Keeps the port list (ComboBox1) filled: the devices named on the command line first, then
// the system's serial devices that can be opened for exclusive use. Entries show the device
// without "/dev/" and carry its path; they are never removed. When a new serial device
// appears in the device folder, the list is probed again: new ports are appended and the
// first entry is selected. A serial device that is present but cannot be opened is not
// listed; the list's tooltip names it with the reason.
class PortListWatcher : public QObject {
    Q_OBJECT

  public:
    PortListWatcher(QComboBox& list, QStringList namedPorts, SerialDeviceFolders folders,
                    QObject* parent);

    // Appends the usable ports not listed yet and selects the first entry.
    void FillPortList();

    // Sets the list's tooltip to the devices not usable at the last look, one a line with
    // the reason in the current language; empty when every device was usable.
    void ShowPortProblems();

    // The path of the selected entry; empty when the list is empty.
    static QString selectedPort(const QComboBox& list);

  private:
    void deviceFolderChanged();
    void append(const QString& path);

    QComboBox& list_;
    QStringList namedPorts_;
    SerialDeviceFolders folders_;
    std::vector<std::string> knownDevices_;
    std::vector<SerialPortState> unusableDevices_;
    QFileSystemWatcher watcher_;
};

}  // namespace kadenza

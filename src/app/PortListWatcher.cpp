#include "app/PortListWatcher.h"

#include <QComboBox>
#include <algorithm>
#include <filesystem>

namespace kadenza {

namespace {

namespace fs = std::filesystem;

const QString devicePrefix = QStringLiteral("/dev/");

QString entryText(const QString& path) {
    return path.startsWith(devicePrefix) ? path.mid(devicePrefix.size()) : path;
}

}  // namespace

PortListWatcher::PortListWatcher(QComboBox& list, QStringList namedPorts,
                                 SerialDeviceFolders folders, QObject* parent)
    : QObject(parent),
      list_(list),
      namedPorts_(std::move(namedPorts)),
      folders_(std::move(folders)),
      knownDevices_(systemSerialDevices(folders_.classFolder, folders_.deviceFolder)) {
    watcher_.addPath(QString::fromStdString(folders_.deviceFolder));
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this,
            &PortListWatcher::deviceFolderChanged);
}

void PortListWatcher::FillPortList() {
    for (const QString& path : namedPorts_) {
        append(path);
    }
    unusableDevices_.clear();
    for (const SerialPortState& port :
         serialPortStates(folders_.classFolder, folders_.deviceFolder)) {
        // A listed port was usable when it came; now it may be busy with our own transfer.
        const QString path = QString::fromStdString(port.path);
        if (list_.findData(path) >= 0) {
            continue;
        }
        if (port.problem == PortProblem::None) {
            append(path);
        } else {
            unusableDevices_.push_back(port);
        }
    }
    if (list_.count() > 0) {
        list_.setCurrentIndex(0);
    }
    ShowPortProblems();
}

void PortListWatcher::ShowPortProblems() {
    QStringList lines;
    for (const SerialPortState& port : unusableDevices_) {
        lines << QString::fromStdString(fs::path(port.path).filename().string()) +
                     QStringLiteral(": ") + QString::fromStdString(portProblemText(port.problem));
    }
    list_.setToolTip(lines.join(QLatin1Char('\n')));
}

QString PortListWatcher::selectedPort(const QComboBox& list) {
    return list.currentData().toString();
}

// The folder changes for every kind of device; only a serial device that was not there at
// the last look counts as a port arriving, even one that is listed already.
void PortListWatcher::deviceFolderChanged() {
    std::vector<std::string> devices =
        systemSerialDevices(folders_.classFolder, folders_.deviceFolder);
    const bool arrived = std::any_of(devices.begin(), devices.end(), [&](const std::string& d) {
        return std::find(knownDevices_.begin(), knownDevices_.end(), d) == knownDevices_.end();
    });
    knownDevices_ = std::move(devices);
    if (arrived) {
        FillPortList();
    }
}

void PortListWatcher::append(const QString& path) {
    if (list_.findData(path) < 0) {
        list_.addItem(entryText(path), path);
    }
}

}  // namespace kadenza

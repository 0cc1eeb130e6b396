#pragma once

#include <string>

namespace kadenza::sim {

// Tells when a program opens a device and whether one still has it open, from the
// file system's open and close events (inotify) on the device's path. Opens and closes
// made before the watch began are not seen.
class ClientWatch {
  public:
    // Throws FileError when the path cannot be watched.
    explicit ClientWatch(const std::string& devicePath);
    ~ClientWatch();
    ClientWatch(const ClientWatch&) = delete;
    ClientWatch& operator=(const ClientWatch&) = delete;

    // True when a program opened the device since the last call that said so.
    bool clientArrived();
    // True while at least one program that opened the device has not closed it.
    bool clientPresent();

  private:
    // Takes in the events that have come, without waiting.
    void update();

    int inotifyFd_ = -1;
    int openCount_ = 0;
    bool arrived_ = false;
};

}  // namespace kadenza::sim

#pragma once

#include <string>

namespace kadenza::sim {

// A pseudo-terminal pair whose master end the instrument plays on, in raw mode, while a
// program opens the other end, devicePath(), as its serial port. The pair keeps a descriptor
// of that end open itself, so a program may open and close the port as often as it likes
// without the master seeing a hang-up.
class PseudoTerminal {
  public:
    // Throws FileError when the system has no pseudo-terminal to give.
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    const std::string& devicePath() const { return devicePath_; }
    int masterFd() const { return masterFd_; }

    // Drops the bytes the instrument sent that no program has read.
    void discardUnread();

  private:
    int masterFd_ = -1;
    int slaveFd_ = -1;
    std::string devicePath_;
};

}  // namespace kadenza::sim

#include "cli/PasswordPrompt.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace kadenza::cli {

namespace {

// The terminal's echo off for the life of this, and back as it was after.
class EchoOff {
  public:
    explicit EchoOff(int terminal) : terminal_(terminal) {
        saved_ = tcgetattr(terminal_, &previous_) == 0;
        if (saved_) {
            termios quiet = previous_;
            quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
            tcsetattr(terminal_, TCSAFLUSH, &quiet);
        }
    }
    ~EchoOff() {
        if (saved_) {
            tcsetattr(terminal_, TCSAFLUSH, &previous_);
        }
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

  private:
    int terminal_;
    termios previous_{};
    bool saved_ = false;
};

void writeAll(int terminal, const std::string& text) {
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t count = write(terminal, text.data() + written, text.size() - written);
        if (count <= 0) {
            return;
        }
        written += static_cast<std::size_t>(count);
    }
}

std::string readLine(int terminal) {
    std::string line;
    char byte = 0;
    while (read(terminal, &byte, 1) == 1 && byte != '\n') {
        line += byte;
    }
    return line;
}

}  // namespace

std::optional<std::string> askPassword(const std::string& prompt) {
    const int terminal = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (terminal < 0) {
        return std::nullopt;
    }
    writeAll(terminal, prompt);
    std::string password;
    {
        const EchoOff quiet(terminal);
        password = readLine(terminal);
    }
    writeAll(terminal, "\n");
    close(terminal);
    return password;
}

}  // namespace kadenza::cli

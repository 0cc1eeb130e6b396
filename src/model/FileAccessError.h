#pragma once

#include <stdexcept>
#include <string>

namespace kadenza {

// A file that could not be opened or created, with the system's reason (an errno value), so
// that a window can say it in the user's language. Its message stays "Cannot open file
// <path>" or "Cannot create file <path>".
class FileAccessError : public std::runtime_error {
  public:
    enum class Action { open, create };

    FileAccessError(Action action, const std::string& path, int systemError);

    Action action() const { return action_; }
    const std::string& path() const { return path_; }
    // 0 when the system gave no reason.
    int systemError() const { return systemError_; }

  private:
    Action action_;
    std::string path_;
    int systemError_;
};

}  // namespace kadenza

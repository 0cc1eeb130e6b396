#include "model/FileAccessError.h"

namespace kadenza {

namespace {

std::string messageOf(FileAccessError::Action action, const std::string& path) {
    return (action == FileAccessError::Action::open ? "Cannot open file " : "Cannot create file ") +
           path;
}

}  // namespace

FileAccessError::FileAccessError(Action action, const std::string& path, int systemError)
    : std::runtime_error(messageOf(action, path)),
      action_(action),
      path_(path),
      systemError_(systemError) {}

}  // namespace kadenza

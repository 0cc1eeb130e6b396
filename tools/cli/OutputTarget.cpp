#include "cli/OutputTarget.h"

#include <unistd.h>

namespace kadenza::cli {

std::unique_ptr<OutputFile> openOutput(const std::string& path) {
    if (path == standardOutput) {
        return std::make_unique<OutputFile>(STDOUT_FILENO, path);
    }
    return std::make_unique<OutputFile>(path);
}

}  // namespace kadenza::cli

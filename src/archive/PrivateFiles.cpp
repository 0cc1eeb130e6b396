#include "archive/PrivateFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace kadenza {

namespace {

constexpr mode_t privateFolderMode = 0700;
constexpr mode_t privateFileMode = 0600;

}  // namespace

void makePrivateFolders(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> missing;
    std::error_code error;
    for (std::filesystem::path path = folder;
         !path.empty() && !std::filesystem::exists(path, error); path = path.parent_path()) {
        missing.push_back(path);
        if (path == path.parent_path()) {
            break;
        }
    }
    for (auto path = missing.rbegin(); path != missing.rend(); ++path) {
        // The umask may take bits away from mkdir's mode; chmod gives the mode whole.
        if (::mkdir(path->c_str(), privateFolderMode) == 0) {
            ::chmod(path->c_str(), privateFolderMode);
        }
    }
}

void makePrivateFile(const std::filesystem::path& path) {
    const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, privateFileMode);
    if (file >= 0) {
        ::fchmod(file, privateFileMode);
        ::close(file);
    }
}

}  // namespace kadenza

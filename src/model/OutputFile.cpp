#include "model/OutputFile.h"

#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <stdexcept>

#include "model/FileAccessError.h"
#include "model/TemporaryFiles.h"

namespace kadenza {

namespace {

// As many links as the system itself follows before it gives up.
constexpr int linkLimit = 40;
constexpr int nameAttempts = 100;

FileAccessError cannotCreate(const std::string& path, int systemError) {
    return FileAccessError(FileAccessError::Action::create, path, systemError);
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string linkTarget(const std::string& link) {
    char target[PATH_MAX];
    const ssize_t length = ::readlink(link.c_str(), target, sizeof target);
    return length <= 0 || length == sizeof target ? std::string() : std::string(target, length);
}

// The name the path ends at once every symbolic link on it is followed; for a link that
// points at nothing, the name it points at, which the write then creates. Empty for links
// that lead round in a loop.
std::string finalName(const std::string& path) {
    std::string name = path;
    for (int link = 0; link < linkLimit; ++link) {
        struct stat status {};
        if (::lstat(name.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            return name;
        }
        const std::string target = linkTarget(name);
        if (target.empty()) {
            return {};
        }
        name = target.front() == '/' ? target : folderOf(name) + "/" + target;
    }
    return {};
}

// A regular file is replaced only where its folder lets this process put another file in its
// place: a folder it may write, and in a folder with the sticky bit, a file or folder of its
// own (root may do both anyway). Elsewhere a file it may write is written in place.
bool folderAllowsReplacing(const std::string& file, const struct stat& existing) {
    const std::string folder = folderOf(file);
    struct stat status {};
    if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0 ||
        ::stat(folder.c_str(), &status) != 0) {
        return false;
    }
    const uid_t user = ::geteuid();
    return (status.st_mode & S_ISVTX) == 0 || user == 0 || existing.st_uid == user ||
           status.st_uid == user;
}

// A regular file with one name is replaced when this user may write it and put another in
// its place. A file the user may not write is then opened in place, which refuses it as
// `cat > path` would, and it is not replaced by one of the user's own.
bool isReplaceable(const std::string& file, const struct stat& existing) {
    return S_ISREG(existing.st_mode) && existing.st_nlink == 1 &&
           ::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) == 0 &&
           folderAllowsReplacing(file, existing);
}

// Short, so that a file name up to the system's longest still leaves room for it, and hidden.
std::string temporaryNameIn(const std::string& folder) {
    static constexpr char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 random{std::random_device{}()};
    std::string name = folder + "/.kadenza-";
    for (int i = 0; i < 10; ++i) {
        name += letters[random() % (sizeof letters - 1)];
    }
    return name;
}

// Another user's file keeps its owner where this process may give it away (as root), and its
// group where the user belongs to it; false when it becomes the user's own instead.
bool keepOwner(int descriptor, const struct stat& existing) {
    return ::fchown(descriptor, existing.st_uid, existing.st_gid) == 0 ||
           ::fchown(descriptor, static_cast<uid_t>(-1), existing.st_gid) == 0;
}

bool writeAll(int descriptor, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(descriptor, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// The rename is on the disk only once the folder is.
void syncFolder(const std::string& folder) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

}  // namespace

OutputFile::OutputFile(std::string path) : path_(std::move(path)) {
    struct stat status {};
    const bool exists = ::stat(path_.c_str(), &status) == 0;
    // Only a name that does not exist yet is created; a loop of links, or a folder on the
    // way that cannot be searched, is refused as `cat > path` would refuse it.
    if ((!exists && errno != ENOENT) || (exists && S_ISDIR(status.st_mode))) {
        throw cannotCreate(path_, exists ? EISDIR : errno);
    }
    const std::string target = finalName(path_);
    if (target.empty()) {
        throw cannotCreate(path_, ELOOP);
    }
    if (!exists || isReplaceable(target, status)) {
        startReplacement(target, exists ? &status : nullptr);
        return;
    }
    // Opened now, so that a file or device this user may not write is refused before any
    // work; it is emptied only when the content is ready.
    descriptor_ = ::open(path_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (descriptor_ < 0) {
        throw cannotCreate(path_, errno);
    }
    target_ = S_ISREG(status.st_mode) ? Target::writtenInPlace : Target::writtenThrough;
    out_.rdbuf(content_.rdbuf());
}

OutputFile::OutputFile(int descriptor, std::string name)
    : path_(std::move(name)), target_(Target::descriptor), descriptor_(descriptor) {
    out_.rdbuf(content_.rdbuf());
}

OutputFile::~OutputFile() {
    if (temporary_) {
        temporary_->close();
    }
    if (!temporaryPath_.empty() && !committed_) {
        ::unlink(temporaryPath_.c_str());
        forgetTemporaryFile(temporaryPath_);
    }
    if (descriptor_ >= 0 && target_ != Target::descriptor) {
        ::close(descriptor_);
    }
}

void OutputFile::startReplacement(const std::string& target, const struct stat* existing) {
    finalPath_ = target;
    const mode_t mode = existing ? existing->st_mode & 07777 : 0666;
    const std::string folder = folderOf(target);
    int descriptor = -1;
    int failure = 0;
    for (int attempt = 0; attempt < nameAttempts && descriptor < 0; ++attempt) {
        // Listed before it exists, so that a signal arriving as it appears still finds it;
        // the name is random enough that the one a failed attempt lists is nobody's.
        temporaryPath_ = temporaryNameIn(folder);
        rememberTemporaryFile(temporaryPath_);
        descriptor = ::open(temporaryPath_.c_str(),
                            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (descriptor < 0) {
            failure = errno;
            forgetTemporaryFile(temporaryPath_);
            if (failure != EEXIST) {
                break;
            }
        }
    }
    if (descriptor < 0) {
        temporaryPath_.clear();
        throw cannotCreate(path_, failure);
    }
    if (existing) {
        keepOwner(descriptor, *existing);
        // The creation mask, and a change of owner, may have taken bits the file had.
        ::fchmod(descriptor, mode);
    }
    temporary_ = std::make_unique<__gnu_cxx::stdio_filebuf<char>>(descriptor,
                                                                  std::ios::out | std::ios::binary);
    out_.rdbuf(temporary_.get());
}

bool OutputFile::commit() {
    out_.flush();
    if (!out_) {
        return false;
    }
    committed_ = target_ == Target::replaced ? replace() : writeThrough();
    return committed_;
}

// The bytes reach the disk before the name does, so that a crash leaves the old file or the
// new one, never an empty one.
bool OutputFile::replace() {
    const bool synced = ::fsync(temporary_->fd()) == 0;
    const bool closed = temporary_->close() != nullptr;
    if (!synced || !closed || ::rename(temporaryPath_.c_str(), finalPath_.c_str()) != 0) {
        return false;
    }
    forgetTemporaryFile(temporaryPath_);
    syncFolder(folderOf(finalPath_));
    return true;
}

bool OutputFile::writeThrough() {
    if (target_ == Target::writtenInPlace &&
        (::ftruncate(descriptor_, 0) != 0 || ::lseek(descriptor_, 0, SEEK_SET) != 0)) {
        return false;
    }
    if (!writeAll(descriptor_, content_.str())) {
        return false;
    }
    return target_ != Target::writtenInPlace || ::fsync(descriptor_) == 0;
}

}  // namespace kadenza

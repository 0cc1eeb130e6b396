// The save path fed paths of every kind: the first byte picks what the path names (a file,
// a new name, links to a file, a link to nothing, a loop of links, a hard-linked file, a
// device behind a link, a folder), the second the file's mode, the third the length of its
// name; the rest is the content. Whatever the path, a save either fails or leaves the content
// where the path points, every link and hard link in place, the mode kept and no temporary
// file behind.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "model/OutputFile.h"

namespace {

namespace fs = std::filesystem;

enum class Named {
    file,
    newName,
    link,
    linkToLink,
    linkToNothing,
    linkLoop,
    hardLinked,
    device,
    folder,
    count
};

// The folder the paths are made in: emptied when the fuzzer starts, since a fuzzer ended by
// its time limit never runs its destructors, and removed when it ends normally.
struct Playground {
    fs::path folder;
    explicit Playground(fs::path path) : folder(std::move(path)) {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    ~Playground() {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
};

const fs::path& playground() {
    static const Playground place(fs::temp_directory_path() / "kadenza-save-fuzz");
    return place.folder;
}

void check(bool holds) {
    if (!holds) {
        __builtin_trap();
    }
}

std::string contentOf(const fs::path& path) {
    std::string bytes;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        char chunk[4096];
        for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;) {
            bytes.append(chunk, got);
        }
        std::fclose(file);
    }
    return bytes;
}

bool noTemporaryFiles() {
    for (const auto& entry : fs::recursive_directory_iterator(playground())) {
        if (entry.path().filename().string().rfind(".kadenza-", 0) == 0) {
            return false;
        }
    }
    return true;
}

// Makes what the path names; returns the file the content must end in (empty when none).
fs::path arrange(Named named, const fs::path& path, mode_t mode) {
    const fs::path file = playground() / "sub" / "file";
    fs::create_directories(file.parent_path());
    {
        std::FILE* old = std::fopen(file.c_str(), "wb");
        std::fputs("old", old);
        std::fclose(old);
    }
    ::chmod(file.c_str(), mode);
    switch (named) {
        case Named::file:
            fs::rename(file, path);
            return path;
        case Named::newName:
            return path;
        case Named::link:
            fs::create_symlink("sub/file", path);
            return file;
        case Named::linkToLink:
            fs::create_symlink("file", playground() / "sub" / "hop");
            fs::create_symlink("sub/hop", path);
            return file;
        case Named::linkToNothing:
            fs::create_symlink("sub/new", path);
            return playground() / "sub" / "new";
        case Named::linkLoop:
            fs::create_symlink(path.filename(), playground() / "loop");
            fs::create_symlink("loop", path);
            return {};
        case Named::hardLinked:
            fs::create_hard_link(file, path);
            return file;
        case Named::device:
            fs::create_symlink("/dev/null", path);
            return {};
        case Named::folder:
        case Named::count:
            fs::create_directory(path);
            return {};
    }
    return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    if (size < 3) {
        return 0;
    }
    const auto named = static_cast<Named>(bytes[0] % static_cast<int>(Named::count));
    const mode_t mode = 0600 | (bytes[1] & 0177);
    const std::size_t nameLength = 1 + bytes[2] % 255;
    const std::string content(reinterpret_cast<const char*>(bytes + 3), size - 3);

    fs::remove_all(playground());
    fs::create_directories(playground());
    const fs::path path = playground() / std::string(nameLength, 'n');
    const fs::path target = arrange(named, path, mode);
    struct stat before {};
    const bool existed = !target.empty() && ::stat(target.c_str(), &before) == 0;

    bool saved = false;
    try {
        kadenza::OutputFile file(path);
        file.stream() << content;
        saved = file.commit();
    } catch (const std::runtime_error&) {
        saved = false;
    }

    check(noTemporaryFiles());
    if (named == Named::link || named == Named::linkToLink || named == Named::linkToNothing ||
        named == Named::device) {
        check(fs::is_symlink(path));
    }
    if (saved && !target.empty()) {
        check(contentOf(target) == content);
        struct stat after {};
        check(::stat(target.c_str(), &after) == 0);
        check(!existed || (after.st_mode & 07777) == (before.st_mode & 07777));
    }
    if (saved && named == Named::hardLinked) {
        check(contentOf(playground() / "sub" / "file") == content);
    }
    check(saved || named == Named::folder || named == Named::linkLoop);
    return 0;
}

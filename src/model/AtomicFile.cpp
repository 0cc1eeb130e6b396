#include "model/AtomicFile.h"

#include <cstdio>
#include <filesystem>
#include <random>
#include <stdexcept>

namespace kadenza {

namespace {

namespace fs = std::filesystem;

std::string temporaryNameFor(const std::string& path) {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate = path + ".tmp-" + std::to_string(random());
        std::error_code error;
        if (!fs::exists(candidate, error) && !error) {
            return candidate;
        }
    }
    return path + ".tmp";
}

// A replaced file keeps the permissions it had.
void copyPermissions(const std::string& from, const std::string& to) {
    std::error_code error;
    const auto status = fs::status(from, error);
    if (!error && fs::exists(status)) {
        fs::permissions(to, status.permissions(), error);
    }
}

}  // namespace

AtomicFile::AtomicFile(std::string path)
    : path_(std::move(path)), temporaryPath_(temporaryNameFor(path_)) {
    std::error_code error;
    if (fs::is_directory(path_, error)) {
        throw std::runtime_error("Cannot create file " + path_);
    }
    out_.open(temporaryPath_, std::ios::binary | std::ios::trunc);
    if (!out_) {
        throw std::runtime_error("Cannot create file " + path_);
    }
}

AtomicFile::~AtomicFile() {
    if (!committed_) {
        out_.close();
        std::remove(temporaryPath_.c_str());
    }
}

bool AtomicFile::commit() {
    out_.flush();
    const bool written = static_cast<bool>(out_);
    out_.close();
    if (!written || out_.fail()) {
        return false;
    }
    copyPermissions(path_, temporaryPath_);
    std::error_code error;
    fs::rename(temporaryPath_, path_, error);
    committed_ = !error;
    return committed_;
}

}  // namespace kadenza

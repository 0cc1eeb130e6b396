#include "archive/ArchiveLocation.h"

#include <cstdlib>

namespace kadenza {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? "" : value;
}

}  // namespace

std::string defaultArchiveLocation() {
    const std::string chosen = environment("KADENZA_ARCHIVE");
    if (!chosen.empty()) {
        return chosen;
    }
    // The XDG base directory rules: a data home that is not absolute is to be ignored.
    std::string dataHome = environment("XDG_DATA_HOME");
    if (dataHome.empty() || dataHome.front() != '/') {
        dataHome = environment("HOME") + "/.local/share";
    }
    return dataHome + "/kadenza/archive.sqlite";
}

bool isPostgresLocation(const std::string& location) {
    return location.rfind("postgresql://", 0) == 0 || location.rfind("postgres://", 0) == 0;
}

}  // namespace kadenza

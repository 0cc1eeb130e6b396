#include "cli/OutputTarget.h"

#include <sys/stat.h>
#include <unistd.h>

#include "cli/CliError.h"

namespace kadenza::cli {

std::unique_ptr<OutputFile> openOutput(const std::string& path) {
    if (path == standardOutput) {
        return std::make_unique<OutputFile>(STDOUT_FILENO, path);
    }
    return std::make_unique<OutputFile>(path);
}

void refuseOutputOverInput(const std::string& output, const std::string& input) {
    struct stat written {};
    struct stat read {};
    if (output != standardOutput && ::stat(output.c_str(), &written) == 0 &&
        ::stat(input.c_str(), &read) == 0 && written.st_dev == read.st_dev &&
        written.st_ino == read.st_ino) {
        throw UsageError(output + " is the input file " + input);
    }
}

}  // namespace kadenza::cli

#include "support/NssTestDatabase.h"

#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <random>
#include <stdexcept>

extern char** environ;

namespace kadenza::test {

namespace {

// certutil seeds its key generation from a file of noise instead of asking for keystrokes.
std::string noise() {
    std::random_device source;
    std::string bytes(2048, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(source());
    }
    return bytes;
}

}  // namespace

NssTestDatabase::NssTestDatabase(const std::string& nickname, const std::string& password) {
    std::filesystem::create_directories(folder());
    writeFile(dir_.path("password"), password + "\n");
    writeFile(dir_.path("noise"), noise());
    const std::string database = "sql:" + folder();
    certutil({"-N", "-d", database, "-f", dir_.path("password")});
    certutil({"-S",         "-x",
              "-n",         nickname,
              "-s",         "CN=" + nickname,
              "-t",         "u,u,u",
              "-k",         "rsa",
              "-g",         "2048",
              "-v",         "24",
              "--keyUsage", "digitalSignature,nonRepudiation",
              "-d",         database,
              "-f",         dir_.path("password"),
              "-z",         dir_.path("noise")});
}

void NssTestDatabase::certutil(const std::vector<std::string>& arguments) const {
    std::vector<std::string> words{"certutil"};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    int status = -1;
    if (posix_spawnp(&pid, "certutil", nullptr, nullptr, argv.data(), environ) != 0 ||
        waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error("certutil " + arguments.front() +
                                 " failed: is libnss3-tools installed (scripts/install-deps)?");
    }
}

}  // namespace kadenza::test

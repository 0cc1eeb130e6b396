#pragma once

#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "model/NativeFile.h"
#include "support/SampleData.h"
#include "support/TempDir.h"

namespace kadenza::test {

struct Outcome {
    int exitCode;
    std::string out;
    std::string err;
};

// The built kadenza-cli, from the folder KADENZA_BIN_DIR names; empty when it names none.
inline std::string cliTool() {
    const char* binDir = std::getenv("KADENZA_BIN_DIR");
    return binDir == nullptr ? std::string() : std::string(binDir) + "/kadenza-cli";
}

// Runs the tool under the locale, with every argument quoted for the shell, its output kept in
// files of the folder. `environment` goes before it, such as "env -u DISPLAY".
inline Outcome runCli(const std::string& tool, const std::vector<std::string>& args,
                      const TempDir& dir, const std::string& locale = "C",
                      const std::string& environment = "") {
    std::string command = environment + " LC_ALL=" + locale + " '" + tool + "'";
    for (const std::string& arg : args) {
        command += " '" + arg + "'";
    }
    command += " >'" + dir.path("stdout") + "' 2>'" + dir.path("stderr") + "'";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(dir.path("stdout")),
            readFile(dir.path("stderr"))};
}

// Runs the built kadenza-cli in a temporary folder that holds a sample data file, in.tso.
class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        tool_ = cliTool();
        ASSERT_FALSE(tool_.empty()) << "KADENZA_BIN_DIR names the folder of kadenza-cli";
        ASSERT_TRUE(saveNativeFile(input_, *sampleData()));
    }

    Outcome run(const std::vector<std::string>& args, const std::string& locale = "C",
                const std::string& environment = "") {
        return runCli(tool_, args, dir_, locale, environment);
    }

    std::string path(const std::string& name) const { return dir_.path(name); }
    bool exists(const std::string& name) const { return std::filesystem::exists(path(name)); }

    TempDir dir_;
    std::string tool_;
    const std::string input_ = dir_.path("in.tso");
};

inline void expectFailure(const Outcome& outcome, int exitCode, const std::string& message) {
    EXPECT_EQ(outcome.exitCode, exitCode);
    EXPECT_EQ(outcome.err, "kadenza-cli: " + message + "\n");
    EXPECT_EQ(outcome.out, "");
}

}  // namespace kadenza::test

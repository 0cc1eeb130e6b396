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

// Runs the built kadenza-cli in a temporary folder that holds a sample data file, in.tso.
class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* binDir = std::getenv("KADENZA_BIN_DIR");
        ASSERT_NE(binDir, nullptr) << "KADENZA_BIN_DIR names the folder of kadenza-cli";
        tool_ = std::string(binDir) + "/kadenza-cli";
        ASSERT_TRUE(saveNativeFile(input_, *sampleData()));
    }

    // Runs the tool under the locale, with every argument quoted for the shell. `environment`
    // goes before it, such as "env -u DISPLAY".
    Outcome run(const std::vector<std::string>& args, const std::string& locale = "C",
                const std::string& environment = "") {
        std::string command = environment + " LC_ALL=" + locale + " '" + tool_ + "'";
        for (const std::string& arg : args) {
            command += " '" + arg + "'";
        }
        command += " >'" + dir_.path("stdout") + "' 2>'" + dir_.path("stderr") + "'";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(dir_.path("stdout")),
                readFile(dir_.path("stderr"))};
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

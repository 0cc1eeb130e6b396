#pragma once

#include <string>

namespace kadenza::test {

// What the shell command wrote to stdout and stderr, and how it ended.
struct CommandOutput {
    std::string text;
    int status = -1;
};

CommandOutput commandOutput(const std::string& command);

// A text quoted for the shell.
std::string shellQuoted(const std::string& text);

}  // namespace kadenza::test

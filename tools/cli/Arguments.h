#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "model/InstrumentAbstract.h"

namespace kadenza::cli {

// Which options a command takes: flags stand alone, valued options take the next argument.
struct CommandOptions {
    std::set<std::string> flags;
    std::set<std::string> valued;
};

// A command line split into its options and the other arguments, in order. A valued option
// takes the next argument or is written "--option=value"; "--" ends the options.
class ParsedArguments {
  public:
    // Throws UsageError for an unknown option or a valued option without its value.
    ParsedArguments(const std::vector<std::string>& args, const CommandOptions& options);

    const std::vector<std::string>& positionals() const { return positionals_; }
    bool has(const std::string& option) const;
    // The option's last value, or none.
    std::optional<std::string> value(const std::string& option) const;
    // Every value the option was given, in order.
    std::vector<std::string> values(const std::string& option) const;
    // The option's last value; throws UsageError when it was not given.
    std::string required(const std::string& option) const;

  private:
    // An option written "--option=value".
    void takeJoined(const std::string& option, const std::string& value,
                    const CommandOptions& options);

    std::vector<std::string> positionals_;
    std::set<std::string> flags_;
    std::map<std::string, std::vector<std::string>> values_;
};

struct ConvertArguments {
    std::string input;
    std::vector<std::string> outputs;
    // --format: the format of standard output and of outputs without a known extension.
    std::optional<std::string> format;
};

struct ShowArguments {
    std::string input;
    int mask = showAllColumns;
    bool raw = false;
};

// True when -h or --help is among the arguments before any "--", whatever else they hold.
bool asksForHelp(const std::vector<std::string>& args);

// The arguments after the command's name. Throw UsageError for an unknown option, a missing
// file or a bad mask.
ConvertArguments parseConvertArguments(const std::vector<std::string>& args);
ShowArguments parseShowArguments(const std::vector<std::string>& args);

// A whole number from `lowest` to `highest`; throws UsageError naming `what` otherwise.
int parseNumber(const std::string& text, int lowest, int highest, const std::string& what);

}  // namespace kadenza::cli

#include "cli/Arguments.h"

#include <algorithm>
#include <charconv>

#include "cli/CliError.h"

namespace kadenza::cli {

namespace {

// Masks above 7 select the numeric modes of an item's text, the last of them being 13.
constexpr int largestMask = 13;

bool isOption(const std::string& arg) {
    return arg.size() > 1 && arg[0] == '-';
}

}  // namespace

// "--" ends the options: every argument after it is taken as it is, even one that starts
// with a dash. A valued option may also be written "--option=value".
ParsedArguments::ParsedArguments(const std::vector<std::string>& args,
                                 const CommandOptions& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            positionals_.insert(positionals_.end(), args.begin() + i + 1, args.end());
            return;
        }
        const std::size_t equals = arg.find('=');
        if (arg.rfind("--", 0) == 0 && equals != std::string::npos) {
            takeJoined(arg.substr(0, equals), arg.substr(equals + 1), options);
        } else if (options.flags.count(arg) != 0) {
            flags_.insert(arg);
        } else if (options.valued.count(arg) != 0) {
            if (++i == args.size()) {
                throw UsageError("option " + arg + " needs a value");
            }
            values_[arg].push_back(args[i]);
        } else if (isOption(arg)) {
            throw UsageError("unknown option '" + arg + "'");
        } else {
            positionals_.push_back(arg);
        }
    }
}

void ParsedArguments::takeJoined(const std::string& option, const std::string& value,
                                 const CommandOptions& options) {
    if (options.valued.count(option) != 0) {
        values_[option].push_back(value);
    } else if (options.flags.count(option) != 0) {
        throw UsageError("option " + option + " takes no value");
    } else {
        throw UsageError("unknown option '" + option + "'");
    }
}

bool ParsedArguments::has(const std::string& option) const {
    return flags_.count(option) != 0 || values_.count(option) != 0;
}

std::optional<std::string> ParsedArguments::value(const std::string& option) const {
    const auto found = values_.find(option);
    if (found == values_.end()) {
        return std::nullopt;
    }
    return found->second.back();
}

std::vector<std::string> ParsedArguments::values(const std::string& option) const {
    const auto found = values_.find(option);
    return found == values_.end() ? std::vector<std::string>() : found->second;
}

std::string ParsedArguments::required(const std::string& option) const {
    const auto found = value(option);
    if (!found) {
        throw UsageError("missing option " + option);
    }
    return *found;
}

bool asksForHelp(const std::vector<std::string>& args) {
    const auto options = std::find(args.begin(), args.end(), "--");
    return std::any_of(args.begin(), options,
                       [](const std::string& arg) { return arg == "-h" || arg == "--help"; });
}

int parseNumber(const std::string& text, int lowest, int highest, const std::string& what) {
    int number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (error != std::errc() || stop != end || number < lowest || number > highest) {
        throw UsageError("invalid " + what + " '" + text + "': expected a number from " +
                         std::to_string(lowest) + " to " + std::to_string(highest));
    }
    return number;
}

ConvertArguments parseConvertArguments(const std::vector<std::string>& args) {
    const ParsedArguments parsed(args, {{}, {"--format"}});
    const auto& files = parsed.positionals();
    if (files.empty()) {
        throw UsageError("missing input file");
    }
    if (files.size() == 1) {
        throw UsageError("missing output file");
    }
    return {files.front(), {files.begin() + 1, files.end()}, parsed.value("--format")};
}

ShowArguments parseShowArguments(const std::vector<std::string>& args) {
    const ParsedArguments parsed(args, {{"--raw"}, {"--mask"}});
    const auto& files = parsed.positionals();
    if (files.empty()) {
        throw UsageError("missing input file");
    }
    if (files.size() > 1) {
        throw UsageError("unexpected argument '" + files[1] + "'");
    }
    ShowArguments show;
    show.input = files.front();
    show.raw = parsed.has("--raw");
    if (const auto mask = parsed.value("--mask")) {
        show.mask = parseNumber(*mask, 0, largestMask, "mask");
    }
    return show;
}

}  // namespace kadenza::cli

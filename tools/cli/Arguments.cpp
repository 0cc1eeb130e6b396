#include "cli/Arguments.h"

#include <algorithm>
#include <charconv>

#include "cli/CliError.h"

namespace kadenza::cli {

namespace {

// Masks above 7 select the numeric modes of an item's text, the last of them being 13.
constexpr int largestMask = 13;

bool isOption(const std::string& arg) {
    return !arg.empty() && arg[0] == '-';
}

UsageError unknownOption(const std::string& option) {
    return UsageError("unknown option '" + option + "'");
}

int parseMask(const std::string& text) {
    int mask = -1;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, mask);
    if (error != std::errc() || stop != end || mask < 0 || mask > largestMask) {
        throw UsageError("invalid mask '" + text + "': expected a number from 0 to 13");
    }
    return mask;
}

}  // namespace

bool asksForHelp(const std::vector<std::string>& args) {
    return std::any_of(args.begin(), args.end(),
                       [](const std::string& arg) { return arg == "-h" || arg == "--help"; });
}

ConvertArguments parseConvertArguments(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (isOption(arg)) {
            throw unknownOption(arg);
        }
    }
    if (args.empty()) {
        throw UsageError("missing input file");
    }
    if (args.size() == 1) {
        throw UsageError("missing output file");
    }
    return {args.front(), {args.begin() + 1, args.end()}};
}

ShowArguments parseShowArguments(const std::vector<std::string>& args) {
    ShowArguments parsed;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--raw") {
            parsed.raw = true;
        } else if (arg == "--mask") {
            if (++i == args.size()) {
                throw UsageError("option --mask needs a value");
            }
            parsed.mask = parseMask(args[i]);
        } else if (isOption(arg)) {
            throw unknownOption(arg);
        } else {
            files.push_back(arg);
        }
    }
    if (files.empty()) {
        throw UsageError("missing input file");
    }
    if (files.size() > 1) {
        throw UsageError("unexpected argument '" + files[1] + "'");
    }
    parsed.input = files.front();
    return parsed;
}

}  // namespace kadenza::cli

#include "sim/SimulatorOptions.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <map>
#include <optional>
#include <set>

#include "sim/SimulatorError.h"

namespace kadenza::sim {

namespace {

const std::set<std::string> flagOptions{"--legacy", "--sample", "--text-id",
                                        "--pace",   "--silent", "--erase-setup"};
const std::set<std::string> valuedOptions{"--model",      "--image",    "--frame",   "--save-image",
                                          "--faults",     "--seed",     "--timeout", "--device",
                                          "--stop-after", "--misbehave"};
const std::set<std::string> modelOnlyOptions{"--image",      "--text-id",   "--save-image",
                                             "--stop-after", "--misbehave", "--erase-setup"};
const std::set<std::string> legacyOnlyOptions{"--frame"};

// The options given, each with its last value ("" for a flag).
using GivenOptions = std::map<std::string, std::string>;

GivenOptions collectOptions(const std::vector<std::string>& args) {
    GivenOptions given;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (flagOptions.count(arg) != 0) {
            given[arg] = "";
        } else if (valuedOptions.count(arg) != 0) {
            if (++i == args.size()) {
                throw UsageError("option " + arg + " needs a value");
            }
            given[arg] = args[i];
        } else if (arg.rfind('-', 0) == 0) {
            throw UsageError("unknown option '" + arg + "' (see kadenza-sim --help)");
        } else {
            throw UsageError("unexpected argument '" + arg + "' (see kadenza-sim --help)");
        }
    }
    return given;
}

long long parseWhole(const std::string& text, long long lowest, long long highest,
                     const std::string& what) {
    long long number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (error != std::errc() || stop != end || number < lowest || number > highest) {
        throw UsageError("invalid " + what + " '" + text + "': expected a whole number from " +
                         std::to_string(lowest) + " to " + std::to_string(highest));
    }
    return number;
}

// A decimal number written with a point; NaN for anything else.
double decimalOf(const std::string& text) {
    double number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    return error == std::errc() && stop == end ? number : std::nan("");
}

// One item of a comma-separated list: "name=value", or a name alone.
struct ListItem {
    std::string text;
    std::string name;
    std::optional<std::string> value;
};

std::vector<ListItem> listItems(const std::string& text) {
    std::vector<ListItem> items;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        ListItem item{text.substr(start, comma - start), {}, {}};
        const std::size_t equals = item.text.find('=');
        item.name = item.text.substr(0, equals);
        if (equals != std::string::npos) {
            item.value = item.text.substr(equals + 1);
        }
        items.push_back(std::move(item));
        start = comma + 1;
    }
    return items;
}

// "corrupt=P,drop=P,noise=P,refuse=P", any of them in any order.
FaultRates parseFaults(const std::string& text) {
    const std::map<std::string, double FaultRates::*> names{{"corrupt", &FaultRates::corrupt},
                                                            {"drop", &FaultRates::drop},
                                                            {"noise", &FaultRates::noise},
                                                            {"refuse", &FaultRates::refuse}};
    FaultRates rates;
    for (const ListItem& item : listItems(text)) {
        const auto name = names.find(item.name);
        if (!item.value || name == names.end()) {
            throw UsageError("invalid fault '" + item.text +
                             "': expected corrupt=P, drop=P, noise=P or refuse=P");
        }
        const double probability = decimalOf(*item.value);
        if (!(probability >= 0 && probability <= 1)) {
            throw UsageError("invalid " + name->first + " rate '" + *item.value +
                             "': expected a number from 0 to 1");
        }
        rates.*(name->second) = probability;
    }
    return rates;
}

// "late-block=N,late-ids=N,late-acks,late-ms=MS,stray-ack=N,lose-write=N,refuse-reads,babble",
// any of them in any order.
Misbehaviour parseMisbehaviour(const std::string& text) {
    const std::map<std::string, int Misbehaviour::*> numbered{
        {"late-block", &Misbehaviour::lateBlock},
        {"late-ids", &Misbehaviour::lateIdentifications},
        {"late-ms", &Misbehaviour::lateMs},
        {"stray-ack", &Misbehaviour::strayBeforeAcknowledgement},
        {"lose-write", &Misbehaviour::lostWrite}};
    const std::map<std::string, bool Misbehaviour::*> switched{
        {"late-acks", &Misbehaviour::lateAcknowledgements},
        {"refuse-reads", &Misbehaviour::refuseReads},
        {"babble", &Misbehaviour::babble}};
    Misbehaviour misbehaviour;
    for (const ListItem& item : listItems(text)) {
        const auto number = numbered.find(item.name);
        const auto flag = switched.find(item.name);
        if (number != numbered.end() && item.value) {
            misbehaviour.*(number->second) =
                static_cast<int>(parseWhole(*item.value, 0, 65535, item.name + " value"));
        } else if (flag != switched.end() && !item.value) {
            misbehaviour.*(flag->second) = true;
        } else {
            throw UsageError("invalid misbehaviour '" + item.text + "' (see kadenza-sim --help)");
        }
    }
    return misbehaviour;
}

void checkCombinations(const GivenOptions& given) {
    const bool legacy = given.count("--legacy") != 0;
    if (legacy == (given.count("--model") != 0)) {
        throw UsageError(legacy ? "--model and --legacy exclude each other"
                                : "missing --model CODE or --legacy");
    }
    for (const auto& [option, value] : given) {
        if (legacy ? modelOnlyOptions.count(option) != 0 : legacyOnlyOptions.count(option) != 0) {
            throw UsageError("option " + option +
                             (legacy ? " is not for --legacy" : " needs --legacy"));
        }
    }
    if (given.count("--sample") != 0 &&
        (given.count("--image") != 0 || given.count("--frame") != 0)) {
        throw UsageError("--sample and " + std::string(legacy ? "--frame" : "--image") +
                         " exclude each other");
    }
}

}  // namespace

SimulatorOptions parseSimulatorOptions(const std::vector<std::string>& args) {
    SimulatorOptions options;
    if (std::any_of(args.begin(), args.end(),
                    [](const std::string& arg) { return arg == "-h" || arg == "--help"; })) {
        options.help = true;
        return options;
    }
    if (std::find(args.begin(), args.end(), "--version") != args.end()) {
        options.version = true;
        return options;
    }
    const GivenOptions given = collectOptions(args);
    checkCombinations(given);
    const auto value = [&given](const std::string& option) {
        const auto found = given.find(option);
        return found == given.end() ? std::string() : found->second;
    };
    const auto has = [&given](const std::string& option) { return given.count(option) != 0; };

    options.legacy = has("--legacy");
    options.sample = has("--sample");
    options.imageFile = value("--image");
    options.frameFile = value("--frame");
    options.saveImageFile = value("--save-image");
    options.devicePath = value("--device");

    InstrumentBehaviour& behaviour = options.behaviour;
    if (has("--model")) {
        behaviour.modelCode =
            static_cast<int>(parseWhole(value("--model"), 0, 65535, "model code"));
    }
    behaviour.textIdentification = has("--text-id");
    if (behaviour.textIdentification && behaviour.modelCode != 1 && behaviour.modelCode != 2) {
        throw UsageError("--text-id is only for models 1 and 2");
    }
    behaviour.paced = has("--pace");
    behaviour.silent = has("--silent");
    if (has("--faults")) {
        behaviour.faults = parseFaults(value("--faults"));
    }
    if (has("--seed")) {
        behaviour.seed =
            static_cast<std::uint32_t>(parseWhole(value("--seed"), 0, UINT32_MAX, "seed"));
    }
    if (has("--misbehave")) {
        behaviour.misbehaviour = parseMisbehaviour(value("--misbehave"));
    }
    options.eraseSetup = has("--erase-setup");
    if (has("--stop-after")) {
        behaviour.stopAfterBlocks =
            static_cast<int>(parseWhole(value("--stop-after"), 0, INT_MAX, "block count"));
    }
    if (has("--timeout")) {
        options.timeoutSeconds = decimalOf(value("--timeout"));
        // Up to a year, which the interval timer still holds.
        if (!(options.timeoutSeconds > 0 && options.timeoutSeconds <= 31536000)) {
            throw UsageError("invalid time-out '" + value("--timeout") +
                             "': expected a number of seconds above 0");
        }
    }
    return options;
}

}  // namespace kadenza::sim

#include "cli/SetupCommand.h"

#include <charconv>
#include <iostream>

#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/ModelImage.h"
#include "cli/RawFiles.h"
#include "cli/RowRendering.h"
#include "cli/Usage.h"
#include "language/Language.h"
#include "translators/TranslatorFactory.h"

namespace kadenza::cli {

namespace {

// One --set ID:POS=VALUE: the item at position POS of the group with id ID.
struct SetupChange {
    int groupId;
    int position;
    float value;
};

std::string utf16ToUtf8(const std::u16string& text) {
    std::string utf8;
    for (const char16_t unit : text) {
        if (unit < 0x80) {
            utf8 += static_cast<char>(unit);
        } else if (unit < 0x800) {
            utf8 += static_cast<char>(0xC0 | unit >> 6);
            utf8 += static_cast<char>(0x80 | (unit & 0x3F));
        } else {
            utf8 += static_cast<char>(0xE0 | unit >> 12);
            utf8 += static_cast<char>(0x80 | (unit >> 6 & 0x3F));
            utf8 += static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
    return utf8;
}

void applyLanguage(const ParsedArguments& parsed) {
    const std::string language = parsed.value("--lang").value_or("cs");
    if (language != "cs" && language != "en") {
        throw UsageError("invalid language '" + language + "': expected cs or en");
    }
    SetLanguage(language == "en" ? englishLanguage : czechLanguage);
}

void printSetup(const InstrumentSetup& setup) {
    for (int g = 0; g < setup.count(); ++g) {
        const InstrumentSetupBank& group = *setup.bank(g);
        std::cout << readableRow(utf16ToUtf8(group.text())) << '\n';
        for (int i = 0; i < group.count(); ++i) {
            std::cout << "  " << readableRow(utf16ToUtf8(group.item(i)->text())) << '\n';
        }
    }
}

int runSetupShow(const std::vector<std::string>& args) {
    const ParsedArguments parsed(args, {{}, {"--model", "--image", "--lang"}});
    if (!parsed.positionals().empty()) {
        throw UsageError("unexpected argument '" + parsed.positionals().front() + "'");
    }
    applyLanguage(parsed);
    const int model = parseModelCode(parsed.required("--model"));
    InstrumentSetup setup;
    translatorWithImage(model, parsed.required("--image"))->decodeSetup(setup);
    printSetup(setup);
    return exitSuccess;
}

// Values are read with a point or a comma, whatever the locale.
float parseSetupValue(std::string text, const std::string& change) {
    for (char& c : text) {
        if (c == ',') {
            c = '.';
        }
    }
    float value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) {
        throw UsageError("invalid value in --set " + change);
    }
    return value;
}

SetupChange parseChange(const std::string& change) {
    const auto colon = change.find(':');
    const auto equals = change.find('=');
    if (colon == std::string::npos || equals == std::string::npos || equals < colon) {
        throw UsageError("invalid --set " + change + ": expected ID:POS=VALUE");
    }
    return {parseNumber(change.substr(0, colon), 0, 1000, "group id"),
            parseNumber(change.substr(colon + 1, equals - colon - 1), 0, 1000, "position"),
            parseSetupValue(change.substr(equals + 1), change)};
}

void applyChange(InstrumentSetup& setup, const std::string& text) {
    const SetupChange change = parseChange(text);
    const InstrumentSetupBank* group = setup.findBank(change.groupId);
    InstrumentSetupItem* item = group == nullptr ? nullptr : group->item(change.position);
    if (item == nullptr) {
        throw UsageError("--set " + text + ": the setup has no such item");
    }
    item->setValue(change.value);
    if (item->value() != change.value) {
        throw UsageError("--set " + text + ": the value is outside the item's range");
    }
}

int runSetupEncode(const std::vector<std::string>& args) {
    const ParsedArguments parsed(args,
                                 {{"--defaults"}, {"--model", "--image", "--set", "--image-out"}});
    if (!parsed.positionals().empty()) {
        throw UsageError("unexpected argument '" + parsed.positionals().front() + "'");
    }
    if (parsed.has("--defaults") == parsed.has("--image")) {
        throw UsageError("give either --image IMAGE or --defaults");
    }
    const int model = parseModelCode(parsed.required("--model"));
    const std::string output = parsed.required("--image-out");
    InstrumentSetup setup;
    if (parsed.has("--defaults")) {
        createTranslator(model)->defaultSetup(setup);
    } else {
        translatorWithImage(model, parsed.required("--image"))->decodeSetup(setup);
    }
    for (const std::string& change : parsed.values("--set")) {
        applyChange(setup, change);
    }
    auto fresh = createTranslator(model);
    fresh->encodeSetup(setup);
    std::vector<std::uint8_t> image(imageSize);
    fresh->copyOut(image.data(), 0, imageSize);
    writeRawFile(output, image);
    return exitSuccess;
}

}  // namespace

int runSetup(const std::vector<std::string>& args) {
    if (asksForHelp(args)) {
        std::cout << setupUsage;
        return exitSuccess;
    }
    if (args.empty()) {
        throw UsageError("missing setup command: show or encode (see kadenza-cli setup --help)");
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args.front() == "show") {
        return runSetupShow(rest);
    }
    if (args.front() == "encode") {
        return runSetupEncode(rest);
    }
    throw UsageError("unknown setup command '" + args.front() + "' (see kadenza-cli setup --help)");
}

}  // namespace kadenza::cli
